#include "config/LoadSequence.h"
#include "tests/native/FakeRegistry.h"
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

    SettingsView expected;
    expected.Title = L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)";
    expected.Check1 = 0;           // cg_brass "0"
    expected.Check2 = 1;           // cg_drawCrosshair "1"
    expected.Check3 = 1;           // cg_drawFPS "Simple"
    expected.Check4 = 1;           // cg_subtitles "1"
    expected.Check5 = 1;           // r_fullscreen "1"
    expected.Check6 = 1;           // r_specular "1"
    expected.Check7 = 0;           // r_vsync "0"
    expected.Check8 = 1;           // r_shaderWarming "1"
    expected.Check9 = 1;           // ragdoll_enable "1"
    expected.Check10 = 1;
    expected.Check11 = 1;
    expected.Check12 = 0;          // r_motionblur_enable "0"
    expected.Text1 = L"125";
    expected.Text2 = L"4";
    expected.Text3 = L"1680x1050";
    expected.Text4 = L"wide 16:10";
    expected.Text5 = L"0.8";
    expected.Text6 = L"60 Hz";
    expected.Text7 = L"16";
    expected.Text8 = L"4";
    expected.Text9 = L"6.5";
    expected.Text10 = L"25000";
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
