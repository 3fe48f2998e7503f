#include "common/AnsiText.h"
#include "config/LoadSequence.h"
#include "tests/data/RealisticSettings.h"
#include "tests/support/FakeRegistry.h"
#include "tests/support/TestConstants.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using ::testing::PrintToString;
using testing::FakeRegistry;
using testing::RecordingMessages;

// A scratch folder made the working folder for one test. On this system the backslashes
// of "game\players\config.cfg" are ordinary characters of one file name in it.
class InScratchFolder : public ::testing::Test {
protected:
    InScratchFolder() {
        std::string name = (fs::temp_directory_path() / "quorvane-XXXXXX").string();
        fs::current_path(folder_ = mkdtemp(name.data()));
    }
    ~InScratchFolder() override {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

private:
    fs::path previous_ = fs::current_path(), folder_;
};

// Nothing but a file on disk is read, and a file whose lines 0 to 548 never end is read
// only as far as the bound.
TEST_F(InScratchFolder, ReadConfigLinesGivesNothingForWhatIsNotAReadableFileOnDisk) {
    fs::create_directory("folder");
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    std::ofstream("sparse").close();
    fs::resize_file("sparse", std::uintmax_t{1} << 32);
    for (const char* path : {"absent.cfg", "folder", "/dev/zero", "fifo", "sparse"}) {
        EXPECT_FALSE(ReadConfigLines(fs::path(path).wstring()).has_value()) << path;
    }
}

// InstallPath names the folder "game" (or is cut from such a value); "game\players\config.cfg"
// and, for a game not found, "Error\players\config.cfg" are the realistic config.cfg.
TEST_F(InScratchFolder, LoadSequenceFollowsInstallPath) {
    fs::copy_file(QUORVANE_TEST_DATA_DIR "/config.cfg", "game\\players\\config.cfg");
    fs::copy_file(QUORVANE_TEST_DATA_DIR "/config.cfg", "Error\\players\\config.cfg");
    SettingsView initial, realistic;
    initial.Title = testing::kTestWindowTitle;
    initial.Check[10] = initial.Check[11] = 1;
    realistic.Title = testing::kTestWindowTitle;
    for (int i = 1; i <= kCheckBoxCount; ++i) realistic.Check[i] = testing::kRealisticChecks[i];
    for (int i = 1; i <= kTextBoxCount; ++i) realistic.Text[i] = testing::kRealisticTexts[i];
    const std::wstring notFound = L"Game Not Found:\n\n" + std::wstring(testing::kTestGameKeyPath);

    const struct {
        std::optional<FakeRegistry::Value> install;  // none: the value is missing
        const SettingsView& view;
        std::vector<std::wstring> shown;
    } rows[] = {
        {{{std::string("game\0", 5)}}, realistic, {}},
        {{{std::string("game\0junk!", 10)}}, realistic, {}},
        {{{std::string("gone\0", 5)}}, initial, {L"Cannot open:\n\ngone\\players\\config.cfg"}},
        {{{std::string("\0", 1)}}, initial, {L"Cannot open:\n\n\\players\\config.cfg"}},
        {std::nullopt, initial, {notFound}},
        {{{std::string("game\0", 5), kStatusAccessDenied}}, initial, {notFound}},
        {{{"game", kStatusSuccess, 3}}, initial, {notFound}},  // REG_BINARY
        {{{std::string("game\0", 5), kStatusSuccess, kRegSz, L"g\u0101me"}}, initial, {notFound}},
    };
    for (const auto& row : rows) {
        FakeRegistry registry;
        RecordingMessages messages;
        General reader(registry, messages);
        const std::string key = WideToAnsi(testing::kTestGameSubKey);
        if (row.install) registry.SetRaw(0x80000002, key, "InstallPath", *row.install);
        registry.SetRaw(0x80000002, key, "SPExePath", {std::string("game\\BlackOps.exe\0junk!", 23)});
        registry.SetRaw(0x80000002, key, "MPExePath", {std::string("gam\0", 4), kStatusSuccess, 4});  // REG_DWORD
        const std::string input = row.install ? PrintToString(row.install->data) : "missing";
        const LoadedForm form = RunLoadSequence(reader, messages);
        EXPECT_EQ(form.view, row.view) << "InstallPath " << input;
        EXPECT_EQ(messages.shown, row.shown) << "InstallPath " << input;
        EXPECT_EQ(form.paths.SPExePath + L" " + form.paths.MPExePath, L"game\\BlackOps.exe Error");
    }
}

}  // namespace
}  // namespace quorvane
