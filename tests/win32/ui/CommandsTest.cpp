// The menu commands, chosen through the window's menu ids: About, Save Settings,
// Exit and the close box, and the two Launch commands against real programs.
#include "tests/win32/ui/UiTestSupport.h"

#include "ui/Commands.h"
#include "ui/MessageLoop.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

TEST(AboutText, NamesTheProgramItsVersionTwiceAndTheAuthor) {
    EXPECT_EQ(AboutText(L"v0.1.1"),
              L"Delmarrow v0.1.1\r\n"
              L"Quorvane v0.1.1 by Pellowan\r\n"
              L"E-Mail: pellowan@example.com\r\n"
              L"Blog: https://blog.example.com/pellowan");
    EXPECT_EQ(AboutText(L"v9"),
              L"Delmarrow v9\r\nQuorvane v9 by Pellowan\r\nE-Mail: pellowan@example.com\r\n"
              L"Blog: https://blog.example.com/pellowan");
}

class CommandsTest : public FormTest {
protected:
    void Load(std::wstring singlePlayer, std::wstring multiPlayer) {
        LoadedForm loaded;
        loaded.paths.AppVersion = L"v0.1.1";
        loaded.paths.SPExePath = std::move(singlePlayer);
        loaded.paths.MPExePath = std::move(multiPlayer);
        loaded.view.Title = L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)";
        loaded.view.Text3 = L"1920x1080";
        loaded.view.Check7 = 1;
        form->Fill(loaded);
    }

    // Runs the program's message loop until WM_QUIT; a loop that never ends is stopped
    // after a while with code 99.
    static void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }
    static int RunLoopWithDeadline() {
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 10000, GiveUp);
        const int code = RunMessageLoop(nullptr);
        ::KillTimer(nullptr, timer);
        return code;
    }
};

TEST_F(CommandsTest, AboutShowsItsTextOnceAndChangesNothing) {
    Load(L"C:\\Game\\BlackOps.exe", L"C:\\Game\\BlackOpsMP.exe");
    Choose(L"About");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], AboutText(L"v0.1.1"));
    EXPECT_TRUE(::IsWindow(Window()));
}

TEST_F(CommandsTest, SaveSettingsDoesNothing) {
    Load(L"C:\\Game\\BlackOps.exe", L"C:\\Game\\BlackOpsMP.exe");
    Choose(L"Save Settings");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(::IsWindow(Window()));
    EXPECT_EQ(WindowText(Window()), L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)");
    EXPECT_EQ(WindowText(Control(ControlId::Text3)), L"1920x1080");
    EXPECT_EQ(::SendMessageW(Control(ControlId::Check7), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(CommandsTest, ExitAndTheCloseBoxEndTheMessageLoopWithCodeZero) {
    struct Way {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Way ways[] = {
        {"File > Exit", WM_COMMAND, 0},
        {"close box", WM_SYSCOMMAND, SC_CLOSE},
        {"WM_CLOSE", WM_CLOSE, 0},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        if (!form) {
            form = std::make_unique<Form1>(messages);
            ASSERT_TRUE(form->Create(::GetModuleHandleW(nullptr)));
        }
        form->Show(SW_SHOWNORMAL);
        const WPARAM wParam = way.message == WM_COMMAND ? MAKEWPARAM(MenuCommand(L"Exit"), 0) : way.wParam;
        HWND window = Window();
        ASSERT_TRUE(::PostMessageW(window, way.message, wParam, 0));
        EXPECT_EQ(RunLoopWithDeadline(), 0);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(form->hwnd(), nullptr);
        EXPECT_TRUE(messages.shown.empty()) << "nothing asks for confirmation";
        form.reset();
        DrainMessages();
    }
}

// A folder with spaces under C:\, a stand-in game inside it, and the programs that a
// start splitting the path at its spaces would find first.
class LaunchTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        RemoveAll();
        std::error_code error;
        fs::create_directories(kGameFolder, error);
        ASSERT_FALSE(error) << error.message();
        const fs::path marker = TestProgramFolder() / L"quorvane_marker_program.exe";
        for (const fs::path& copy : {kGame, kGameMP, kDecoyRoot, kDecoyFolder}) {
            fs::copy_file(marker, copy, fs::copy_options::overwrite_existing, error);
            ASSERT_FALSE(error) << copy.string() << ": " << error.message();
        }
    }
    void TearDown() override {
        RemoveAll();
        CommandsTest::TearDown();
    }

    static void RemoveAll() {
        std::error_code ignored;  // absent is fine
        fs::remove_all(kRoot, ignored);
        fs::remove(kDecoyRoot, ignored);
        fs::remove(Marker(kDecoyRoot), ignored);
    }

    static fs::path Marker(const fs::path& program) { return fs::path(program.wstring() + L".ran"); }

    // The lines the stand-in wrote, once there are `count` of them (or after a while).
    static std::vector<std::wstring> WaitForRuns(const fs::path& program, std::size_t count) {
        std::vector<std::wstring> lines;
        for (int i = 0; i < 200; ++i) {
            lines = Runs(program);
            if (lines.size() >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return lines;
    }
    static std::vector<std::wstring> Runs(const fs::path& program) {
        std::ifstream in(Marker(program), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
        std::vector<std::wstring> lines;
        for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }
    static std::wstring CurrentDirectory() {
        std::wstring directory(MAX_PATH, L'\0');
        directory.resize(::GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));
        return directory;
    }
    // The line a start of `program` as the Launch commands make it leaves behind.
    static std::wstring ExpectedRun(const fs::path& program) {
        return L"\"" + program.wstring() + L"\"\t2\t" + CurrentDirectory();
    }
    void ExpectNoDecoyRan() {
        EXPECT_FALSE(fs::exists(Marker(kDecoyRoot))) << "C:\\Quorvane.exe was started";
        EXPECT_FALSE(fs::exists(Marker(kDecoyFolder))) << "C:\\Quorvane Test\\Dir.exe was started";
    }

    static inline const fs::path kRoot = L"C:\\Quorvane Test";
    static inline const fs::path kGameFolder = L"C:\\Quorvane Test\\Dir With Spaces";
    static inline const fs::path kGame = L"C:\\Quorvane Test\\Dir With Spaces\\game.exe";
    static inline const fs::path kGameMP = L"C:\\Quorvane Test\\Dir With Spaces\\game mp.exe";
    static inline const fs::path kDecoyRoot = L"C:\\Quorvane.exe";
    static inline const fs::path kDecoyFolder = L"C:\\Quorvane Test\\Dir.exe";
};

TEST_F(LaunchTest, LaunchStartsTheProgramAtExactlyThatPathMinimisedEachTime) {
    Load(kGame.wstring(), kGameMP.wstring());
    Choose(L"Launch BlackOps.exe");
    Choose(L"Launch BlackOps.exe");
    const std::vector<std::wstring> runs = WaitForRuns(kGame, 2);
    ExpectNoDecoyRan();
    ASSERT_EQ(runs.size(), 2u) << "each choice starts the program once";
    EXPECT_EQ(runs[0], ExpectedRun(kGame)) << "quoted path, shown minimised, our working directory";
    EXPECT_EQ(runs[1], ExpectedRun(kGame));
    EXPECT_TRUE(Runs(kGameMP).empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LaunchTest, LaunchMPStartsTheMultiplayerProgram) {
    Load(kGame.wstring(), kGameMP.wstring());
    Choose(L"Launch BlackOpsMP.exe");
    const std::vector<std::wstring> runs = WaitForRuns(kGameMP, 1);
    ExpectNoDecoyRan();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], ExpectedRun(kGameMP));
    EXPECT_TRUE(Runs(kGame).empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LaunchTest, AFailedStartIsReportedAndTheProgramGoesOn) {
    const std::wstring missing = (kGameFolder / L"missing.exe").wstring();
    struct Case {
        const char* name;
        std::wstring singlePlayer;
        std::wstring multiPlayer;
        const wchar_t* command;
        std::wstring reported;
    };
    const Case cases[] = {
        {"missing file", missing, kGameMP.wstring(), L"Launch BlackOps.exe", missing},
        {"empty path", kGame.wstring(), L"", L"Launch BlackOpsMP.exe", L""},
        {"failed registry read", L"Error", kGameMP.wstring(), L"Launch BlackOps.exe", L"Error"},
        {"a folder", kGameFolder.wstring(), kGameMP.wstring(), L"Launch BlackOps.exe", kGameFolder.wstring()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        Load(c.singlePlayer, c.multiPlayer);
        Choose(c.command);
        ExpectNoDecoyRan();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], L"Cannot start:\n\n" + c.reported);
        EXPECT_TRUE(::IsWindow(Window())) << "the program goes on";
    }
    // And its commands still work.
    messages.shown.clear();
    Choose(L"About");
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{AboutText(L"v0.1.1")});
    // Time for a wrongly started program to leave its mark.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ExpectNoDecoyRan();
}

}  // namespace
}  // namespace quorvane::testing
