// The registry reader on the real registry: keys that this test creates and removes
// itself under HKEY_CURRENT_USER, and one machine value written beforehand by `reg add`.
#include "config/InstallPaths.h"
#include "registry/General.h"
#include "registry/Win32Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

constexpr const wchar_t* kTestKey = L"Software\\Quorvane Registry Test";
const std::wstring kTestPath = L"HKEY_CURRENT_USER\\Software\\Quorvane Registry Test";

class NoMessages final : public MessageBoxApi {
public:
    void Show(const std::wstring& text) override { shown.push_back(text); }
    std::vector<std::wstring> shown;
};

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);  // "not found" is fine
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey), ERROR_SUCCESS);
    }

    void SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    void SetString(const wchar_t* name, const std::wstring& text) {
        SetValue(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    RegistryValue Read(std::wstring path, const std::wstring& name) { return reader.ReadRegistryString(path, name); }

    HKEY key_ = nullptr;
    Win32Registry registry;
    NoMessages messages;
    General reader{registry, messages};
};

TEST_F(Win32RegistryTest, StringValueArrivesWithoutItsTerminator) {
    SetString(L"InstallPath", L"C:\\Program Files (x86)\\Game  ");
    const RegistryValue value = Read(kTestPath, L"InstallPath");
    EXPECT_EQ(value, RegistryValue::Text(L"C:\\Program Files (x86)\\Game  "));
    EXPECT_EQ(reader.LastResult, ERROR_SUCCESS);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Win32RegistryTest, EmptyValuesGiveTheEmptyText) {
    SetString(L"EmptyString", L"");
    SetValue(L"EmptyBinary", REG_BINARY, nullptr, 0);
    EXPECT_EQ(Read(kTestPath, L"EmptyString"), RegistryValue::Text(L""));
    EXPECT_EQ(Read(kTestPath, L"EmptyBinary"), RegistryValue::Text(L""));
}

TEST_F(Win32RegistryTest, MultiStringKeepsEverythingUpToItsLastTerminatorAndCutsToTheFirst) {
    const wchar_t multi[] = L"first\0second\0";  // and the array's own NUL ends the list
    SetValue(L"Multi", REG_MULTI_SZ, multi, sizeof(multi));
    const RegistryValue value = Read(kTestPath, L"Multi");
    EXPECT_EQ(value.text(), std::wstring(L"first\0second\0", 13));
    EXPECT_EQ(CutAtNul(value.text()), L"first");
}

TEST_F(Win32RegistryTest, ExpandableStringIsTakenAsItStands) {
    const std::wstring text = L"%ProgramFiles%\\Game";
    SetValue(L"Expand", REG_EXPAND_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(Read(kTestPath, L"Expand").text(), text);
}

TEST_F(Win32RegistryTest, ValueLongerThanTheBufferIsAnError) {
    SetString(L"Long254", std::wstring(254, L'x'));
    SetString(L"Long300", std::wstring(300, L'y'));
    EXPECT_EQ(Read(kTestPath, L"Long254").text(), std::wstring(254, L'x'));
    EXPECT_EQ(Read(kTestPath, L"Long300"), RegistryValue::Error());
    EXPECT_EQ(reader.LastResult, ERROR_MORE_DATA);
}

TEST_F(Win32RegistryTest, MissingValueOrKeyIsAnError) {
    EXPECT_EQ(Read(kTestPath, L"Absent"), RegistryValue::Error());
    EXPECT_EQ(reader.LastResult, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Read(kTestPath + L"\\No Such Key", L"Absent"), RegistryValue::Error());
    EXPECT_EQ(reader.LastResult, ERROR_FILE_NOT_FOUND);
}

TEST_F(Win32RegistryTest, SubkeysAndTheHiveRoot) {
    HKEY child = nullptr;
    ASSERT_EQ(RegCreateKeyExW(key_, L"Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr), ERROR_SUCCESS);
    const std::wstring text = L"in the child";
    RegSetValueExW(child, L"V", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(child);

    std::wstring path = kTestPath + L"\\Child";
    EXPECT_EQ(reader.ReadRegistryString(path, L"V").text(), text);
    EXPECT_EQ(path, L"Software\\Quorvane Registry Test\\Child");

    // The hive alone opens its root key, which holds no value of this name.
    std::wstring hiveOnly = L"HKEY_CURRENT_USER";
    EXPECT_EQ(reader.ReadRegistryString(hiveOnly, L"Quorvane no such value"), RegistryValue::Error());
    EXPECT_EQ(reader.LastResult, ERROR_FILE_NOT_FOUND) << "the root key opened, the value was missing";
}

TEST_F(Win32RegistryTest, DoubledBackslashIsHandedToTheRegistryUnchanged) {
    SetString(L"V", L"found");
    std::wstring path = L"HKEY_CURRENT_USER\\\\Software\\Quorvane Registry Test";
    const RegistryValue value = reader.ReadRegistryString(path, L"V");
    EXPECT_EQ(path, L"\\Software\\Quorvane Registry Test");
    // Windows refuses a subkey that begins with a backslash.
    EXPECT_EQ(value, RegistryValue::Error());
    EXPECT_NE(reader.LastResult, ERROR_SUCCESS);
}

TEST(Win32Registry, ReadsTheMachineValueThatRegAddWrote) {
    Win32Registry registry;
    NoMessages messages;
    General reader(registry, messages);
    std::wstring path = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Quorvane Test\\Machine";
    EXPECT_EQ(reader.ReadRegistryString(path, L"Probe"), RegistryValue::Text(L"written by reg"));
}

}  // namespace
}  // namespace quorvane
