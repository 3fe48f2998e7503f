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
constexpr LONG kAnyFailure = -1;

TEST(Win32Registry, ReadsEachKindOfValueAsStored) {
    // A row whose status is not ERROR_SUCCESS expects "Error"; otherwise its data.
    const struct {
        const char* name;
        std::wstring path;
        const wchar_t* value;
        DWORD type;  // REG_NONE: not written here
        std::wstring data;
        LONG status;
    } rows[] = {
        {"empty string", kUser, L"Empty", REG_SZ, L"", ERROR_SUCCESS},
        {"empty binary", kUser, L"Binary", REG_BINARY, L"", ERROR_SUCCESS},
        {"multi-string, up to its last terminator", kUser, L"Multi", REG_MULTI_SZ, {L"C:\\A\0D:\\B\0", 10}, 0},
        {"254 characters", kUser, L"Long254", REG_SZ, std::wstring(254, L'x'), ERROR_SUCCESS},
        {"300 characters", kUser, L"Long300", REG_SZ, std::wstring(300, L'y'), ERROR_MORE_DATA},
        {"doubled backslash", L"HKEY_CURRENT_USER\\\\" + std::wstring(kSubKey), L"Empty", REG_NONE, L"", kAnyFailure},
        {"the hive alone: its root opens", L"HKEY_CURRENT_USER", L"Quorvane none", REG_NONE, L"", ERROR_FILE_NOT_FOUND},
        {"machine value from reg add /reg:64", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Quorvane Test\\Machine",
         L"Probe", REG_NONE, L"written by reg", ERROR_SUCCESS},
    };
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSubKey);
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kSubKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    for (const auto& row : rows) {
        // Strings with their terminator, binary data without.
        const std::size_t size = (row.data.size() + (row.type == REG_BINARY ? 0 : 1)) * sizeof(wchar_t);
        if (row.type != REG_NONE) {
            ::RegSetValueExW(key, row.value, 0, row.type, reinterpret_cast<const BYTE*>(row.data.c_str()), DWORD(size));
        }
    }
    ::RegCloseKey(key);

    Win32Registry registry;
    testing::RecordingMessages messages;
    General reader(registry, messages);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::wstring path = row.path;
        EXPECT_EQ(reader.ReadRegistryString(path, row.value),
                  row.status ? RegistryValue::Error() : RegistryValue::Text(row.data));
        EXPECT_TRUE(row.status == kAnyFailure ? reader.LastResult != 0 : reader.LastResult == row.status)
            << "status " << reader.LastResult;
    }
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{});
    EXPECT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, kSubKey), ERROR_SUCCESS);
}

}  // namespace
}  // namespace quorvane
