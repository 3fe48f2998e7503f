#include "registry/General.h"
#include "tests/support/FakeRegistry.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using testing::FakeRegistry;
using testing::RecordingMessages;

constexpr RegHandle kMachine = 0x80000002;
constexpr RegHandle kUser = 0x80000001;
const std::string kGameKey = "SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";
const std::wstring kGamePath = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";

class RegistryReaderTest : public ::testing::Test {
protected:
    RegistryValue Read(std::wstring path, const std::wstring& name) {
        return reader.ReadRegistryString(path, name);
    }

    FakeRegistry registry;
    RecordingMessages messages;
    General reader{registry, messages};
};

TEST(HiveFromName, KnowsTheSevenHivesExactlyAndNothingElse) {
    const struct {
        const wchar_t* name;
        RegHandle handle;
    } cases[] = {
        {L"HKEY_CLASSES_ROOT", 0x80000000},     {L"HKEY_CURRENT_USER", 0x80000001},
        {L"HKEY_LOCAL_MACHINE", 0x80000002},    {L"HKEY_USERS", 0x80000003},
        {L"HKEY_PERFORMANCE_DATA", 0x80000004}, {L"HKEY_CURRENT_CONFIG", 0x80000005},
        {L"HKEY_DYN_DATA", 0x80000006},         {L"hkey_users", 0},
        {L"HKEY_Users", 0},                     {L"HKEY_USERS ", 0},
        {L"HKEY_MACHINE", 0},                   {L"HKLM", 0},
        {L"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(General::HiveFromName(c.name), c.handle) << "hive name '" << std::wstring(c.name).size() << "' chars";
    }
}

TEST_F(RegistryReaderTest, ValueFollowedByNulAndSpacesComesBackAlone) {
    registry.SetString(kMachine, kGameKey, "InstallPath", "C:\\Games\\Black Ops");
    const RegistryValue value = Read(kGamePath, L"InstallPath");
    EXPECT_EQ(value, RegistryValue::Text(L"C:\\Games\\Black Ops"));
    EXPECT_EQ(reader.LastResult, 0);
    EXPECT_EQ(reader.ValueBuffer, std::wstring(L"C:\\Games\\Black Ops\0", 19)) << "trimmed, terminator kept";
}

TEST_F(RegistryReaderTest, WhatTheQueryLeavesBehindTheNulIsKeptUpToTheLastNonSpaceLessOne) {
    registry.SetString(kMachine, kGameKey, "InstallPath", "C:\\Game");
    registry.trailing = std::string("xy\0z  ", 6);
    EXPECT_EQ(Read(kGamePath, L"InstallPath").text(), std::wstring(L"C:\\Game\0xy\0", 11));
}

TEST_F(RegistryReaderTest, SpacesAroundTheValue) {
    registry.SetString(kMachine, kGameKey, "Lead", "  two leading");
    registry.SetString(kMachine, kGameKey, "Trail", "trailing  ");
    EXPECT_EQ(Read(kGamePath, L"Lead").text(), L"two leading");
    EXPECT_EQ(Read(kGamePath, L"Trail").text(), L"trailing  ");
}

TEST_F(RegistryReaderTest, QueryThatLeavesOnlySpacesGivesTheEmptyText) {
    registry.SetRaw(kMachine, kGameKey, "Blank", {"", kStatusSuccess});
    registry.SetRaw(kMachine, kGameKey, "Spaces", {"    ", kStatusSuccess});
    EXPECT_EQ(Read(kGamePath, L"Blank"), RegistryValue::Text(L""));
    EXPECT_EQ(Read(kGamePath, L"Spaces"), RegistryValue::Text(L""));
}

TEST_F(RegistryReaderTest, BufferIs255SpacesAndAValueThatFillsItIsRead) {
    const std::string longest(254, 'a');
    registry.SetString(kMachine, kGameKey, "Long", longest);
    EXPECT_EQ(Read(kGamePath, L"Long").text(), std::wstring(254, L'a'));
    ASSERT_EQ(registry.querySizes.size(), 1u);
    EXPECT_EQ(registry.querySizes[0], 255u);
    EXPECT_EQ(reader.ValueBufferLength, 255u);
}

TEST_F(RegistryReaderTest, ValueTooLargeForTheBufferIsAnErrorAndTheKeyIsClosed) {
    registry.SetString(kMachine, kGameKey, "Huge", std::string(300, 'b'));
    EXPECT_EQ(Read(kGamePath, L"Huge"), RegistryValue::Error());
    EXPECT_EQ(reader.LastResult, kStatusMoreData);
    EXPECT_EQ(registry.closes.size(), 1u);
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(RegistryReaderTest, MissingKeyOrValueIsAnErrorAndNothingStaysOpen) {
    registry.AddKey(kMachine, kGameKey);
    EXPECT_EQ(Read(kGamePath, L"Absent"), RegistryValue::Error());
    EXPECT_EQ(Read(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Nobody", L"InstallPath"), RegistryValue::Error());
    EXPECT_EQ(reader.LastResult, kStatusNotFound);
    EXPECT_EQ(registry.opens.size(), 2u);
    EXPECT_EQ(registry.closes.size(), 1u) << "a key that never opened is not closed";
    EXPECT_EQ(registry.openKeys, 0);
    EXPECT_EQ(RegistryValue::Error().text(), L"Error");
}

TEST_F(RegistryReaderTest, RefusedQueryIsAnError) {
    registry.SetRaw(kMachine, kGameKey, "Secret", {std::string("x\0", 2), kStatusAccessDenied});
    EXPECT_EQ(Read(kGamePath, L"Secret"), RegistryValue::Error());
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(RegistryReaderTest, CloseStatusIsKeptButNotTested) {
    registry.SetString(kMachine, kGameKey, "InstallPath", "C:\\G");
    registry.closeStatus = 6;
    EXPECT_EQ(Read(kGamePath, L"InstallPath").text(), L"C:\\G");
    EXPECT_EQ(reader.LastResult, 6);
}

TEST_F(RegistryReaderTest, OpensWithReadAccessAndHandsBackTheSubkey) {
    registry.SetString(kMachine, kGameKey, "InstallPath", "C:\\G");
    std::wstring path = kGamePath;
    const std::wstring name = L"InstallPath";
    reader.ReadRegistryString(path, name);
    EXPECT_EQ(path, L"SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops");
    EXPECT_EQ(name, L"InstallPath");
    ASSERT_EQ(registry.opens.size(), 1u);
    EXPECT_EQ(registry.opens[0].hive, kMachine);
    EXPECT_EQ(registry.opens[0].subKey, kGameKey);
    EXPECT_EQ(registry.opens[0].options, 0u);
    EXPECT_EQ(registry.opens[0].access, 0x20019u);
    EXPECT_EQ(registry.queriedNames, std::vector<std::string>{"InstallPath"});
}

TEST_F(RegistryReaderTest, ThreeReadsWithFreshPathsOpenAndCloseTheKeyThreeTimes) {
    for (const char* name : {"InstallPath", "SPExePath", "MPExePath"}) registry.SetString(kMachine, kGameKey, name, name);
    for (const wchar_t* name : {L"InstallPath", L"SPExePath", L"MPExePath"}) {
        EXPECT_EQ(Read(kGamePath, name).text(), name);
    }
    EXPECT_EQ(registry.opens.size(), 3u);
    EXPECT_EQ(registry.closes.size(), 3u);
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(RegistryReaderTest, HiveAloneReadsFromTheHiveRoot) {
    registry.SetString(kMachine, "", "RootValue", "root");
    std::wstring path = L"HKEY_LOCAL_MACHINE";
    EXPECT_EQ(reader.ReadRegistryString(path, L"RootValue").text(), L"root");
    EXPECT_EQ(path, L"");
    EXPECT_EQ(reader.HiveHandle, kMachine);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RegistryReaderTest, DoubledBackslashIsHandedOnUnchanged) {
    registry.SetString(kUser, "\\Software\\Q", "V", "doubled");
    std::wstring path = L"HKEY_CURRENT_USER\\\\Software\\Q";
    EXPECT_EQ(reader.ReadRegistryString(path, L"V").text(), L"doubled");
    EXPECT_EQ(path, L"\\Software\\Q");
}

TEST_F(RegistryReaderTest, UnknownHiveGivesNothingWithoutAMessage) {
    std::wstring path = L"HKEY_MACHINE\\Software";
    EXPECT_EQ(reader.ReadRegistryString(path, L"V"), RegistryValue::Empty());
    EXPECT_EQ(path, L"Software");
    EXPECT_TRUE(registry.opens.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(RegistryValue::Empty().text(), L"");
}

TEST_F(RegistryReaderTest, EveryFormatFailureShowsTheMessageAndLeavesThePath) {
    const std::wstring bad[] = {L"",
                                L"HKEY",
                                L"hkey_local_machine\\SOFTWARE",
                                L"HKEY_LOCAL_MACHINE\\SOFTWARE\\",
                                L"\\HKEY_LOCAL_MACHINE\\SOFTWARE",
                                L"Software\\"};
    for (const std::wstring& original : bad) {
        messages.shown.clear();
        std::wstring path = original;
        RegHandle hive = 0x1234;
        reader.SplitRegistryPath(path, hive);
        ASSERT_EQ(messages.shown.size(), 1u) << "path of " << original.size() << " chars";
        EXPECT_EQ(messages.shown[0], L"Incorrect Format:\n\n" + original);
        EXPECT_EQ(path, original);
        EXPECT_EQ(hive, 0x1234u);
    }
    // The prefix alone passes the test but names no hive.
    messages.shown.clear();
    std::wstring prefix = L"HKEY_";
    EXPECT_EQ(reader.ReadRegistryString(prefix, L"V"), RegistryValue::Empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RegistryReaderTest, FormatFailureOnTheFirstReadGivesNothing) {
    std::wstring path = L"hkey_local_machine\\SOFTWARE";
    EXPECT_EQ(reader.ReadRegistryString(path, L"V"), RegistryValue::Empty());
    EXPECT_TRUE(registry.opens.empty());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(RegistryReaderTest, FormatFailureAfterAGoodReadUsesTheStaleHiveAndTheWholePath) {
    registry.SetString(kUser, "Software\\Q", "V", "fine");
    EXPECT_EQ(Read(L"HKEY_CURRENT_USER\\Software\\Q", L"V").text(), L"fine");

    registry.SetString(kUser, "Software\\Q\\", "V", "stale");
    std::wstring path = L"Software\\Q\\";
    EXPECT_EQ(reader.ReadRegistryString(path, L"V").text(), L"stale");
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"Incorrect Format:\n\nSoftware\\Q\\"});
    ASSERT_EQ(registry.opens.size(), 2u);
    EXPECT_EQ(registry.opens[1].hive, kUser);
    EXPECT_EQ(registry.opens[1].subKey, "Software\\Q\\");
}

TEST_F(RegistryReaderTest, SplitRecordsTheFirstBackslashPosition) {
    std::wstring path = L"HKEY_USERS\\a\\b";
    RegHandle hive = 0;
    reader.SplitRegistryPath(path, hive);
    EXPECT_EQ(reader.LastResult, 11);
    EXPECT_EQ(hive, 0x80000003u);
    EXPECT_EQ(path, L"a\\b");
}

TEST_F(RegistryReaderTest, NonAsciiTextsGoThroughTheAnsiCodePage) {
    registry.SetString(kMachine, "SOFTWARE\\Caf\xE9", "V", "Cr\xE8me \x80");
    EXPECT_EQ(Read(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Caf\u00e9", L"V").text(), L"Cr\u00e8me \u20ac");
}

}  // namespace
}  // namespace quorvane
