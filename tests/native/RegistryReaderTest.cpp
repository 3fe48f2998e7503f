#include "registry/General.h"
#include "tests/support/FakeRegistry.h"

#include <gtest/gtest.h>

namespace quorvane::testing {

using ::testing::PrintToString;

const std::wstring kPath = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Q";

// Value "V" of HKLM\SOFTWARE\Q holds the row's bytes, status, type and stored text. Every
// key opened asks for reading only and is closed again.
TEST(RegistryReader, StatusesTypesAndBytesDecideTheResult) {
    const std::string dword("gam\0", 4);  // 0x006D6167 as REG_DWORD
    const struct {
        FakeRegistry::Value value;
        RegistryValue result;
        std::wstring path = kPath, name = L"V";
    } rows[] = {
        {{std::string("C:\\G\0", 5)}, RegistryValue::Text(L"C:\\G")},
        {{"C:\\G  "}, RegistryValue::Text(L"C:\\G  ")},  // stored without its NUL: all of it
        {{"    "}, RegistryValue::Text(L"")},
        {{std::string(254, 'a') + '\0'}, RegistryValue::Text(std::wstring(254, L'a'))},
        {{std::string(255, 'a') + '\0'}, RegistryValue::Error()},  // MORE_DATA
        {{"x", kStatusAccessDenied}, RegistryValue::Error()},
        {{"x"}, RegistryValue::Error(), kPath, L"W"},
        {{"x"}, RegistryValue::Error(), kPath + L"\\Absent"},
        {{"x"}, RegistryValue::Error(), L"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\Q"},  // the subkey keeps its leading backslash
        // Text types only; of several strings the first is used.
        {{std::string("C:\\G\0", 5), kStatusSuccess, kRegExpandSz}, RegistryValue::Text(L"C:\\G")},
        {{std::string("A\0B\0\0", 5), kStatusSuccess, kRegMultiSz}, RegistryValue::Text({L"A\0B\0", 4})},
        {{"C:\\Game", kStatusSuccess, 3}, RegistryValue::Error()},  // REG_BINARY, no NUL
        {{dword, kStatusSuccess, 4}, RegistryValue::Error()},
        // A first string the code page changed: a look-alike, or "?" for what it lacks.
        {{std::string("C:\\Game\0", 8), kStatusSuccess, kRegSz, L"C:\\G\u0101me"}, RegistryValue::Error()},
        {{std::string("C:\\?\0", 5), kStatusSuccess, kRegSz, L"C:\\\u4E00"}, RegistryValue::Error()},
        {{std::string("A\0?\0\0", 5), kStatusSuccess, kRegMultiSz, std::wstring(L"A\0\u4E00\0", 4)},
         RegistryValue::Text({L"A\0?\0", 4})},
    };
    for (const auto& row : rows) {
        FakeRegistry registry(row.value);
        RecordingMessages messages;
        General reader(registry, messages);
        std::wstring path = row.path;
        EXPECT_EQ(reader.ReadRegistryString(path, row.name), row.result)
            << PrintToString(row.path) << " " << PrintToString(row.value.data) << " type " << row.value.type;
        EXPECT_EQ(registry.openKeys, 0) << PrintToString(row.path);
        for (const std::uint32_t access : registry.access) EXPECT_EQ(access, 0x20019u) << "not KEY_READ";
        EXPECT_TRUE(messages.shown.empty()) << PrintToString(row.path);
    }
}

}  // namespace quorvane::testing
