// The real program under bad registry values and bad config.cfg files: for each case
// no crash, the message it shows (if any), then its window with the expected values,
// and a clean exit from the menu.
#include "tests/win32/e2e/ProgramDriver.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvane::e2e {

bool operator==(const WindowState& a, const WindowState& b) {
    return a.title == b.title && a.visible == b.visible && a.checks == b.checks && a.texts == b.texts;
}

void PrintTo(const WindowState& state, std::ostream* out) {
    *out << "title '" << ::testing::PrintToString(state.title) << "' " << (state.visible ? "visible" : "hidden")
         << " checks";
    for (int i = 1; i <= 12; ++i) *out << ' ' << state.checks[i];
    *out << " texts";
    for (int i = 1; i <= 10; ++i) *out << " [" << ::testing::PrintToString(state.texts[i]) << ']';
}

namespace {

const std::wstring kGameNotFound = std::wstring(L"Game Not Found:\n\n") + kGameKeyPath;

class BadInputTest : public ::testing::Test {
protected:
    // Starts the program, answers the messages it shows while loading, and returns
    // them; the window must then be up. Exit from the menu must end it with code 0.
    std::vector<std::wstring> RunToWindow(ProgramRun& run) {
        EXPECT_TRUE(run.started()) << "cannot start the program";
        std::vector<std::wstring> shown;
        while (run.WaitForWindow(300) == nullptr) {
            if (run.WaitForExit(0)) {
                ADD_FAILURE() << "the program ended before showing its window";
                return shown;
            }
            if (auto text = run.DismissMessageBox(300)) shown.push_back(*text);
            if (shown.size() > 5) break;
        }
        return shown;
    }

    void ExpectCleanExit(ProgramRun& run) {
        run.Choose(CommandId::Exit);
        EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
    }

    // One whole run: the messages while loading and the window's state afterwards.
    void ExpectOutcome(const std::vector<std::wstring>& messages, const WindowState& state) {
        ProgramRun run;
        EXPECT_EQ(RunToWindow(run), messages);
        ASSERT_NE(run.WaitForWindow(100), nullptr);
        EXPECT_EQ(run.State(), state);
        ExpectCleanExit(run);
    }

    std::wstring CannotOpen() const { return L"Cannot open:\n\n" + game.config().wstring(); }

    GameInstall game;
};

TEST_F(BadInputTest, RegistryWithoutTheGame) {
    // No key at all, or no install folder: the game is not there, config.cfg is not opened.
    game.WriteConfig(RealisticConfig());
    ExpectOutcome({kGameNotFound}, InitialState());

    game.RegisterAll();
    game.DeleteValue(L"InstallPath");
    ExpectOutcome({kGameNotFound}, InitialState());

    // An install folder too long for the reader's buffer cannot be read either.
    game.SetString(L"InstallPath", L"C:\\" + std::wstring(300, L'x'));
    ExpectOutcome({kGameNotFound}, InitialState());
}

TEST_F(BadInputTest, MissingExecutablePathsDoNotStopTheLoad) {
    game.WriteConfig(RealisticConfig());
    game.RegisterAll();
    game.DeleteValue(L"SPExePath");
    ExpectOutcome({}, RealisticState());

    game.RegisterAll();
    game.DeleteValue(L"MPExePath");
    ExpectOutcome({}, RealisticState());
}

TEST_F(BadInputTest, UnusualValueTypes) {
    game.WriteConfig(RealisticConfig());
    game.RegisterAll();

    // A multi-string: the first string is the folder.
    std::wstring multi = game.folder().wstring() + L'\0' + L"D:\\elsewhere" + L'\0' + L'\0';
    game.SetRaw(L"InstallPath", REG_MULTI_SZ, multi.data(), static_cast<DWORD>(multi.size() * sizeof(wchar_t)));
    ExpectOutcome({}, RealisticState());

    // An expandable string is taken as it stands: nothing expands %SystemDrive%.
    const std::wstring expand = L"%SystemDrive%\\Quorvane E2E Test\\Call of Duty Black Ops";
    game.SetRaw(L"InstallPath", REG_EXPAND_SZ, expand.c_str(), static_cast<DWORD>((expand.size() + 1) * 2));
    ExpectOutcome({L"Cannot open:\n\n" + expand + L"\\players\\config.cfg"}, InitialState());

    // An empty folder: the paths are formed from nothing and lead nowhere.
    game.SetString(L"InstallPath", L"");
    ExpectOutcome({L"Cannot open:\n\n\\players\\config.cfg"}, InitialState());
}

TEST_F(BadInputTest, ConfigThatCannotBeRead) {
    game.RegisterAll();
    ExpectOutcome({CannotOpen()}, InitialState());

    std::filesystem::create_directory(game.config());
    ExpectOutcome({CannotOpen()}, InitialState());
    std::filesystem::remove(game.config());

    // Held by another program that lets nobody else read it.
    game.WriteConfig(RealisticConfig());
    HANDLE locked = CreateFileW(game.config().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    ExpectOutcome({CannotOpen()}, InitialState());
    CloseHandle(locked);

    // Once it is free again, it is read as usual.
    ExpectOutcome({}, RealisticState());
}

TEST_F(BadInputTest, ConfigsWithNothingToShow) {
    game.RegisterAll();
    std::mt19937 random(1234);
    std::string garbage(256 * 1024, '\0');
    for (char& byte : garbage) byte = static_cast<char>(random());

    std::string crlf;
    std::string crOnly;
    for (char ch : RealisticConfig()) {
        if (ch == '\n') {
            crlf += "\r\n";
            crOnly += '\r';
        } else {
            crlf += ch;
            crOnly += ch;
        }
    }

    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"one line", "seta r_vsync \"1\"\n"},
        {"CR LF lines: only the last record is kept", crlf},
        {"CR lines", crOnly},
        {"binary garbage", garbage},
        {"50 MB without a line feed", std::string(50 * 1024 * 1024, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        game.WriteConfig(c.bytes);
        ExpectOutcome({}, InitialState());
    }
}

TEST_F(BadInputTest, LongLinesAndHighBytesAmongNormalLines) {
    game.RegisterAll();
    std::string config = RealisticConfig();
    const std::size_t thirdLine = config.find('\n', config.find('\n') + 1) + 1;
    config.insert(thirdLine, "bind X \"" + std::string(1024 * 1024, 'y') + "\"\n");
    game.WriteConfig(config);
    ExpectOutcome({}, RealisticState());

    // Bytes 0x80 to 0xFF are characters of the ANSI code page.
    const std::string high = "seta r_mode \"1920\xD7" "1080\"\nseta sensitivity \"\x80\xE9\xFF\"\nseta rate \"\xA0\"";
    game.WriteConfig("// header\n" + high + "\n");
    WindowState expected = InitialState();
    auto ansi = [](const std::string& bytes) {
        wchar_t text[16] = {};
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text, 16);
        return std::wstring(text);
    };
    expected.texts[3] = ansi("1920\xD7" "1080");
    expected.texts[9] = ansi("\x80\xE9\xFF");
    expected.texts[10] = ansi("\xA0");
    ExpectOutcome({}, expected);
}

TEST_F(BadInputTest, LaunchThatCannotStartShowsWhyAndGoesOn) {
    game.WriteConfig(RealisticConfig());
    const struct {
        const wchar_t* what;
        std::optional<std::wstring> path;  // nothing: the value is missing, so the path is "Error"
        std::wstring shown;
    } cases[] = {
        {L"missing executable", (game.folder() / L"BlackOps.exe").wstring(),
         (game.folder() / L"BlackOps.exe").wstring()},
        {L"missing value", std::nullopt, L"Error"},
        {L"empty value", L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.what)));
        game.RegisterAll();
        if (c.path) {
            game.SetString(L"SPExePath", *c.path);
            game.SetString(L"MPExePath", *c.path);
        } else {
            game.DeleteValue(L"SPExePath");
            game.DeleteValue(L"MPExePath");
        }
        ProgramRun run;
        EXPECT_EQ(RunToWindow(run), std::vector<std::wstring>{});
        for (CommandId command : {CommandId::Launch, CommandId::LaunchMP}) {
            run.Choose(command);
            EXPECT_EQ(run.DismissMessageBox(), L"Cannot start:\n\n" + c.shown);
        }
        EXPECT_EQ(run.State(), RealisticState()) << "the window goes on as before";
        ExpectCleanExit(run);
    }
}

}  // namespace
}  // namespace quorvane::e2e
