#include "config/LoadSequence.h"
#include "tests/support/FakeRegistry.h"
#include "tests/data/RealisticSettings.h"
#include "tests/native/TempFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quorvane {
namespace {

using testing::FakeRegistry;
using testing::RecordingMessages;
using testing::TempFolder;

constexpr RegHandle kMachine = 0x80000002;
const std::string kGameKey = "SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The game installed in a folder of the test's own. On this system the backslashes of
// "game\players\config.cfg" are part of one file name in that folder.
class LoadSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        install = folder.path().string() + "/game";
        registry.SetString(kMachine, kGameKey, "InstallPath", install);
        registry.SetString(kMachine, kGameKey, "SPExePath", install + "\\BlackOps.exe");
        registry.SetString(kMachine, kGameKey, "MPExePath", install + "\\BlackOpsMP.exe");
    }
    void WriteConfig(const std::string& bytes) { folder.Write("game\\players\\config.cfg", bytes); }
    LoadedForm Load() { return RunLoadSequence(reader, messages); }

    TempFolder folder;
    std::string install;
    FakeRegistry registry;
    RecordingMessages messages;
    General reader{registry, messages};
};

TEST_F(LoadSequenceTest, RealisticConfigShowsTitleAndAllTwentyTwoValues) {
    WriteConfig(ReadBytes(QUORVANE_TEST_DATA_DIR "/config.cfg"));
    const LoadedForm form = Load();

    using testing::kRealisticChecks;
    using testing::kRealisticTexts;
    const SettingsView expected{
        L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)",
        kRealisticChecks[1], kRealisticChecks[2], kRealisticChecks[3], kRealisticChecks[4],
        kRealisticChecks[5], kRealisticChecks[6], kRealisticChecks[7], kRealisticChecks[8],
        kRealisticChecks[9], kRealisticChecks[10], kRealisticChecks[11], kRealisticChecks[12],
        kRealisticTexts[1], kRealisticTexts[2], kRealisticTexts[3], kRealisticTexts[4], kRealisticTexts[5],
        kRealisticTexts[6], kRealisticTexts[7], kRealisticTexts[8], kRealisticTexts[9], kRealisticTexts[10],
    };
    EXPECT_EQ(form.view, expected);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(form.lines.size(), 573u);
    EXPECT_EQ(form.paths.SPExePath, std::wstring(install.begin(), install.end()) + L"\\BlackOps.exe");
}

TEST_F(LoadSequenceTest, CrLfConfigIsReadAsItsLastLineOnly) {
    WriteConfig("// header\r\nseta r_vsync \"1\"\r\nseta r_mode \"800x600\"\r\n");
    const LoadedForm form = Load();
    EXPECT_EQ(form.lines.size(), 1u);
    EXPECT_EQ(form.view.Check7, 0) << "line 0 is never examined";
    EXPECT_EQ(form.view.Text3, L"0");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LoadSequenceTest, MissingConfigShowsCannotOpenAndKeepsTheInitialState) {
    const LoadedForm form = Load();
    const std::wstring configPath(form.paths.ConfigPath);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"Cannot open:\n\n" + configPath});
    SettingsView expected;
    expected.Title = L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)";
    expected.Check10 = 1;
    expected.Check11 = 1;
    EXPECT_EQ(form.view, expected);
}

TEST_F(LoadSequenceTest, FolderInPlaceOfTheConfigCannotBeOpened) {
    std::filesystem::create_directory(folder.path() / "game\\players\\config.cfg");
    Load();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].starts_with(L"Cannot open:\n\n"));
}

TEST(LoadSequence, GameNotInstalledShowsOneMessageAndOpensNoFile) {
    FakeRegistry registry;
    RecordingMessages messages;
    General reader(registry, messages);
    // "Error\players\config.cfg" relative to the working folder must not be opened even if it exists.
    TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    folder.Write("Error\\players\\config.cfg", "x\nseta r_vsync \"1\"\n");
    const LoadedForm form = RunLoadSequence(reader, messages);
    std::filesystem::current_path(previous);

    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown.at(0).starts_with(L"Game Not Found:\n\n"));
    EXPECT_EQ(form.view.Check7, 0);
    EXPECT_TRUE(form.lines.empty());
    EXPECT_EQ(form.paths.SPExePath, L"Error");
}

}  // namespace
}  // namespace quorvane
