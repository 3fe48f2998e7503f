#include "config/InstallPaths.h"
#include "tests/support/FakeRegistry.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using testing::FakeRegistry;
using testing::RecordingMessages;

constexpr RegHandle kMachine = 0x80000002;
const std::string kGameKey = "SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";

class InstallPathsTest : public ::testing::Test {
protected:
    InstallPaths Find() { return FindInstallPaths(reader, messages, view); }

    void InstallAt(const std::string& folder) {
        registry.SetString(kMachine, kGameKey, "InstallPath", folder);
        registry.SetString(kMachine, kGameKey, "SPExePath", folder + "\\BlackOps.exe");
        registry.SetString(kMachine, kGameKey, "MPExePath", folder + "\\BlackOpsMP.exe");
    }

    FakeRegistry registry;
    RecordingMessages messages;
    General reader{registry, messages};
    SettingsView view;
};

TEST_F(InstallPathsTest, InstalledGameGivesTitlePathsAndBothBoxes) {
    InstallAt("C:\\Program Files (x86)\\Call of Duty Black Ops");
    const InstallPaths paths = Find();

    EXPECT_EQ(view.Title, L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)");
    EXPECT_EQ(paths.AppVersion, L"v0.1.1");
    EXPECT_EQ(paths.InstallPath, L"C:\\Program Files (x86)\\Call of Duty Black Ops");
    EXPECT_EQ(paths.SPExePath, L"C:\\Program Files (x86)\\Call of Duty Black Ops\\BlackOps.exe");
    EXPECT_EQ(paths.MPExePath, L"C:\\Program Files (x86)\\Call of Duty Black Ops\\BlackOpsMP.exe");
    EXPECT_EQ(paths.PlayersPath, L"C:\\Program Files (x86)\\Call of Duty Black Ops\\players");
    EXPECT_EQ(paths.ConfigPath, L"C:\\Program Files (x86)\\Call of Duty Black Ops\\players\\config.cfg");
    EXPECT_EQ(paths.ConfigMpPath, L"C:\\Program Files (x86)\\Call of Duty Black Ops\\players\\config_mp.cfg");
    EXPECT_TRUE(paths.GameFound);
    EXPECT_EQ(view.Check10, 1);
    EXPECT_EQ(view.Check11, 1);
    EXPECT_TRUE(messages.shown.empty());
    // Each read starts from the full key path, and the key is opened and closed each time.
    ASSERT_EQ(registry.opens.size(), 3u);
    for (const auto& open : registry.opens) EXPECT_EQ(open.subKey, kGameKey);
    EXPECT_EQ(registry.closes.size(), 3u);
}

TEST_F(InstallPathsTest, EachPathEndsAtItsFirstNul) {
    registry.trailing = std::string("\0junk\0more!", 11);
    InstallAt("D:\\BO");
    const InstallPaths paths = Find();
    EXPECT_EQ(paths.InstallPath, L"D:\\BO");
    EXPECT_EQ(paths.SPExePath, L"D:\\BO\\BlackOps.exe");
    EXPECT_EQ(paths.ConfigPath, L"D:\\BO\\players\\config.cfg");
}

TEST_F(InstallPathsTest, ValueStartingWithNulGivesAnEmptyPath) {
    registry.SetRaw(kMachine, kGameKey, "InstallPath", {std::string("\0\0x", 3), std::nullopt});
    const InstallPaths paths = Find();
    EXPECT_EQ(paths.InstallPath, L"");
    EXPECT_EQ(paths.ConfigPath, L"\\players\\config.cfg");
    EXPECT_TRUE(paths.GameFound);
    EXPECT_EQ(view.Check10, 1) << "19 characters are more than 10";
    EXPECT_EQ(view.Check11, 1);
}

TEST_F(InstallPathsTest, TrailingBackslashIsKept) {
    InstallAt("E:\\Games\\");
    EXPECT_EQ(Find().PlayersPath, L"E:\\Games\\\\players");
}

TEST_F(InstallPathsTest, MissingGameShowsOneMessageAndKeepsTheErrorTexts) {
    const InstallPaths paths = Find();
    EXPECT_FALSE(paths.GameFound);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{
                                  L"Game Not Found:\n\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops"});
    EXPECT_EQ(paths.InstallPath, L"Error");
    EXPECT_EQ(paths.SPExePath, L"Error");
    EXPECT_EQ(paths.MPExePath, L"Error");
    EXPECT_EQ(paths.ConfigPath, L"Error\\players\\config.cfg");
    EXPECT_EQ(view.Check10, 1);
    EXPECT_EQ(view.Check11, 1);
    EXPECT_EQ(view.Title, L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)");
}

TEST_F(InstallPathsTest, OnlyTheInstallFolderDecidesWhetherTheGameIsFound) {
    registry.SetString(kMachine, kGameKey, "InstallPath", "C:\\BO");
    const InstallPaths paths = Find();
    EXPECT_TRUE(paths.GameFound);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(paths.SPExePath, L"Error");
    EXPECT_EQ(paths.MPExePath, L"Error");
}

TEST(CutAtNul, KeepsWhatComesBeforeTheFirstNul) {
    EXPECT_EQ(CutAtNul(std::wstring(L"ab\0cd\0", 6)), L"ab");
    EXPECT_EQ(CutAtNul(std::wstring(L"\0ab", 3)), L"");
    EXPECT_EQ(CutAtNul(L"no nul here"), L"no nul here");
    EXPECT_EQ(CutAtNul(L""), L"");
}

}  // namespace
}  // namespace quorvane
