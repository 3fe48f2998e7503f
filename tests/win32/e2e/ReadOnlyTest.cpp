// Whatever the user does, the program writes nothing: not config.cfg, not the players
// folder, not the game's registry key.
#include "tests/win32/e2e/ProgramDriver.h"

#include "ui/Commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace quorvane::e2e {
namespace {

struct FolderSnapshot {
    std::set<std::wstring> names;
    std::string configBytes;
    std::filesystem::file_time_type configTime;
};

FolderSnapshot Snapshot(const GameInstall& game) {
    FolderSnapshot snap;
    for (const auto& entry : std::filesystem::directory_iterator(game.players())) {
        snap.names.insert(entry.path().filename().wstring());
    }
    std::ifstream in(game.config(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    snap.configBytes = bytes.str();
    snap.configTime = std::filesystem::last_write_time(game.config());
    return snap;
}

TEST(ReadOnly, EveryMenuCommandLeavesFilesAndRegistryAsTheyWere) {
    GameInstall game;
    game.RegisterAll();
    game.WriteConfig(RealisticConfig());
    std::ofstream(game.players() / L"config_mp.cfg", std::ios::binary) << "seta name \"player\"\n";
    std::ofstream(game.players() / L"profile.dat", std::ios::binary) << "data";
    // An old timestamp, so that any rewrite would show even within the same second.
    std::filesystem::last_write_time(game.config(),
                                     std::filesystem::last_write_time(game.config()) - std::chrono::hours(48));

    const FolderSnapshot before = Snapshot(game);
    const std::string keyBefore = game.ExportKey();
    ASSERT_NE(keyBefore, "<no key>");

    ProgramRun run;
    ASSERT_NE(run.WaitForWindow(), nullptr);
    EXPECT_FALSE(run.MessageBoxShown());

    run.Choose(CommandId::About);
    EXPECT_EQ(run.DismissMessageBox(), std::wstring(L"Delmarrow v0.1.1\r\nQuorvane v0.1.1 by Pellowan\r\nE-Mail: ") +
                                           std::wstring(kAuthorEmail) + L"\r\nBlog: " + std::wstring(kAuthorBlog));

    run.Choose(CommandId::Launch);
    EXPECT_EQ(run.DismissMessageBox(),
              L"Cannot start:\n\n" + (game.folder() / L"BlackOps.exe").wstring());

    run.Choose(CommandId::Save);
    EXPECT_EQ(run.DismissMessageBox(1000), std::nullopt) << "Save Settings shows nothing";
    const WindowState shown = run.State();
    EXPECT_TRUE(shown.visible);
    EXPECT_EQ(shown.texts[3], L"1680x1050");

    run.Choose(CommandId::Exit);
    EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));

    const FolderSnapshot after = Snapshot(game);
    EXPECT_EQ(after.names, before.names);
    EXPECT_EQ(after.configBytes, before.configBytes);
    EXPECT_EQ(after.configTime, before.configTime);
    EXPECT_EQ(game.ExportKey(), keyBefore);
}

// Letters of the ANSI code page in the install folder's name survive the registry's
// ANSI calls and the opening of config.cfg by its wide path.
TEST(InstallFolder, NonAsciiLettersAreReadAndOpened) {
    GameInstall game(L"Call of Duty Black Ops \u00c9dition Fran\u00e7aise");
    game.RegisterAll();
    game.WriteConfig(RealisticConfig());
    ProgramRun run;
    ASSERT_NE(run.WaitForWindow(), nullptr);
    EXPECT_FALSE(run.MessageBoxShown());
    EXPECT_EQ(run.State().texts[3], L"1680x1050");
    run.Choose(CommandId::Launch);
    EXPECT_EQ(run.DismissMessageBox(), L"Cannot start:\n\n" + (game.folder() / L"BlackOps.exe").wstring())
        << "the path keeps its letters";
    run.Choose(CommandId::Exit);
    EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace quorvane::e2e
