// The registry reader on the real registry: values that this test writes under
// HKEY_CURRENT_USER and removes again, and one machine value that `reg add /reg:64`
// wrote beforehand (see CMakeLists.txt), read here through the 32-bit program's view.
#include "registry/General.h"
#include "registry/Win32Registry.h"
#include "tests/support/FakeRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvane {
namespace {

constexpr wchar_t kSubKey[] = L"Software\\Quorvane Registry Test";
const std::wstring kUser = std::wstring(L"HKEY_CURRENT_USER\\") + kSubKey;

TEST(Win32Registry, ReadsEachKindOfValueAsStored) {
    const struct {
        const char* name;
        std::wstring path;
        const wchar_t* value;
        DWORD type;  // REG_NONE: not written by the loop below
        std::wstring data;
        bool read;  // false: "Error"
    } rows[] = {
        {"empty string", kUser, L"Empty", REG_SZ, L"", true},
        {"empty binary, not text", kUser, L"Binary", REG_BINARY, L"", false},
        {"a letter the code page lacks", kUser, L"Macron", REG_SZ, L"C:\\G\u0101me", false},
        {"a full-width letter", kUser, L"Wide", REG_SZ, L"C:\\Black\uFF2Fps.exe", false},
        {"letters of the code page", kUser, L"Latin", REG_SZ, L"C:\\\u00c9dition Fran\u00e7aise", true},
        {"multi-string, up to its last terminator", kUser, L"Multi", REG_MULTI_SZ, {L"C:\\A\0D:\\B\0", 10}, true},
        {"254 characters", kUser, L"Long254", REG_SZ, std::wstring(254, L'x'), true},
        {"300 characters", kUser, L"Long300", REG_SZ, std::wstring(300, L'y'), false},
        {"doubled backslash", L"HKEY_CURRENT_USER\\\\" + std::wstring(kSubKey), L"Empty", REG_NONE, L"", false},
        {"the hive alone: its root key", L"HKEY_CURRENT_USER", L"Quorvane Probe", REG_NONE, L"at the root", true},
        {"machine value from reg add /reg:64", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Quorvane Test\\Machine",
         L"Probe", REG_NONE, L"written by reg", true},
    };
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSubKey);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, nullptr, L"Quorvane Probe", REG_SZ, L"at the root", 12 * sizeof(wchar_t));
    for (const auto& row : rows) {  // strings with their terminator, binary data without
        const auto size = static_cast<DWORD>((row.data.size() + (row.type == REG_BINARY ? 0 : 1)) * sizeof(wchar_t));
        if (row.type == REG_NONE) continue;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kSubKey, row.value, row.type, row.data.c_str(), size);
    }

    Win32Registry registry;
    testing::RecordingMessages messages;
    General reader(registry, messages);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::wstring path = row.path;
        EXPECT_EQ(reader.ReadRegistryString(path, row.value),
                  row.read ? RegistryValue::Text(row.data) : RegistryValue::Error());
    }
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{});
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, nullptr, L"Quorvane Probe");
    EXPECT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, kSubKey), ERROR_SUCCESS);
}

}  // namespace
}  // namespace quorvane
