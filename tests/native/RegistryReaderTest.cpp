#include "registry/General.h"
#include "tests/support/FakeRegistry.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using ::testing::PrintToString;
using testing::FakeRegistry;
using testing::RecordingMessages;

constexpr RegHandle kMachine = 0x80000002;
const std::wstring kPath = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Q";

// Value "V" of HKLM\SOFTWARE\Q holds the row's bytes, status, type and stored text; the
// root of HKLM holds another. Every key opened asks for reading only and is closed again.
TEST(RegistryReader, StatusesTypesAndBytesDecideTheResult) {
    const std::string dword("gam\0", 4);  // 0x006D6167 as REG_DWORD
    const struct {
        std::wstring path, name;
        FakeRegistry::Value value;
        RegistryValue result;
    } rows[] = {
        {kPath, L"V", {std::string("C:\\G\0", 5)}, RegistryValue::Text(L"C:\\G")},
        {kPath, L"V", {"C:\\G  "}, RegistryValue::Text(L"C:\\G  ")},  // stored without its NUL: all of it
        {kPath, L"V", {"    "}, RegistryValue::Text(L"")},
        {kPath, L"V", {std::string(254, 'a') + '\0'}, RegistryValue::Text(std::wstring(254, L'a'))},
        {kPath, L"V", {std::string(255, 'a') + '\0'}, RegistryValue::Error()},  // MORE_DATA
        {kPath, L"V", {"x", kStatusAccessDenied}, RegistryValue::Error()},
        {kPath, L"W", {"x"}, RegistryValue::Error()},
        {kPath + L"\\Absent", L"V", {"x"}, RegistryValue::Error()},
        {L"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\Q", L"V", {"x"}, RegistryValue::Error()},  // the subkey keeps its leading backslash
        {L"HKEY_LOCAL_MACHINE", L"V", {"x"}, RegistryValue::Text(L"root")},
        {L"HKEY_MACHINE\\SOFTWARE\\Q", L"V", {"x"}, RegistryValue::Empty()},  // no such hive
        {L"HKEY_local_machine\\SOFTWARE\\Q", L"V", {"x"}, RegistryValue::Empty()},  // hive names are exact
        {L"HKEY_", L"V", {"x"}, RegistryValue::Empty()},
        // Text types only; of several strings the first is used.
        {kPath, L"V", {std::string("C:\\G\0", 5), kStatusSuccess, kRegExpandSz}, RegistryValue::Text(L"C:\\G")},
        {kPath, L"V", {std::string("A\0B\0\0", 5), kStatusSuccess, kRegMultiSz}, RegistryValue::Text({L"A\0B\0", 4})},
        {kPath, L"V", {"C:\\Game", kStatusSuccess, 3}, RegistryValue::Error()},  // REG_BINARY, no NUL
        {kPath, L"V", {dword, kStatusSuccess, 4}, RegistryValue::Error()},
        // A first string the code page changed: a look-alike, or "?" for what it lacks.
        {kPath, L"V", {std::string("C:\\Game\0", 8), kStatusSuccess, kRegSz, L"C:\\G\u0101me"}, RegistryValue::Error()},
        {kPath, L"V", {std::string("C:\\?\0", 5), kStatusSuccess, kRegSz, L"C:\\\u4E00"}, RegistryValue::Error()},
        {kPath, L"V", {std::string("A\0?\0\0", 5), kStatusSuccess, kRegMultiSz, std::wstring(L"A\0\u4E00\0", 4)},
         RegistryValue::Text({L"A\0?\0", 4})},
    };
    for (const auto& row : rows) {
        FakeRegistry registry;
        RecordingMessages messages;
        General reader(registry, messages);
        registry.SetRaw(kMachine, "SOFTWARE\\Q", "V", row.value);
        registry.SetString(kMachine, "", "V", "root");
        std::wstring path = row.path;
        EXPECT_EQ(reader.ReadRegistryString(path, row.name), row.result)
            << PrintToString(row.path) << " " << PrintToString(row.value.data) << " type " << row.value.type;
        EXPECT_EQ(registry.openKeys, 0) << PrintToString(row.path);
        for (const std::uint32_t access : registry.access) EXPECT_EQ(access, 0x20019u) << "not KEY_READ";
        EXPECT_TRUE(messages.shown.empty()) << PrintToString(row.path);
    }
}

}  // namespace
}  // namespace quorvane
