// The menu and its commands as the user chooses them, the two Launch items starting a
// stand-in program, and the program's real message box.
#include "tests/win32/ui/UiTestSupport.h"

#include "tests/support/TestConstants.h"
#include "ui/Win32MessageBox.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace quorvane::testing {

// The menu as one line, "File{Launch BlackOps.exe|...}|About"; `id` gets the id of `caption`.
static std::wstring DescribeMenu(HMENU menu, std::wstring_view caption, UINT& id) {
    std::wstring text;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t item[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), item, 64, MF_BYPOSITION);
        if (caption == item) id = ::GetMenuItemID(menu, i);
        text += (i ? L"|" : L"") + std::wstring(item);
        if (HMENU popup = ::GetSubMenu(menu, i)) text += L"{" + DescribeMenu(popup, caption, id) + L"}";
    }
    return text;
}

// As the user chooses a menu item: WM_COMMAND with its id.
static void Choose(HWND window, std::wstring_view caption) {
    UINT id = 0;
    DescribeMenu(::GetMenu(window), caption, id);
    ::SendMessageW(window, WM_COMMAND, id, 0);
}

TEST_F(Form1Test, MenuAboutAndSaveSettings) {
    UINT none = 0;
    EXPECT_EQ(DescribeMenu(::GetMenu(Window()), L"-", none),
              L"File{Launch BlackOps.exe|Launch BlackOpsMP.exe|Save Settings|Exit}|About");
    LoadedForm loaded;
    loaded.paths.AppVersion = QUORVANE_APP_VERSION;
    form->Fill(loaded);
    Choose(Window(), L"Save Settings");  // shows nothing
    Choose(Window(), L"About");
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"Delmarrow " QUORVANE_APP_VERSION L"\r\nQuorvane " QUORVANE_APP_VERSION
                                                        L" by Pellowan\r\nE-Mail: pellowan@example.com\r\n"
                                                        L"Blog: https://blog.example.com/pellowan"});
}

TEST_F(Form1Test, ExitTheCloseBoxAndAFailingCommandEndTheLoop) {
    for (const auto& [way, code] : {std::pair{L"Exit", 0}, {L"close box", 0}, {L"About", 1}}) {
        Make(0);
        messages.fail = code == 1;  // About's box throws
        if (way == std::wstring_view(L"close box")) ::SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        else Choose(Window(), way);
        EXPECT_EQ(RunLoopWithDeadline(Window()), code) << Narrow(way);
    }
    EXPECT_THROW(form->RethrowFailure(), std::runtime_error);
}

TEST_F(Form1Test, LaunchStartsTheExactPathMinimisedInItsFolderEachTimeOrSaysItCannot) {
    const std::filesystem::path folder = L"C:\\Quorvane Test\\Dir With Spaces";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    ::SetCurrentDirectoryW(L"C:\\");  // this program works elsewhere
    for (const auto& [item, name] : {std::pair{L"Launch BlackOps.exe", L"game.exe"}, {L"Launch BlackOpsMP.exe", L"game mp.exe"}}) {
        const std::wstring path = (folder / name).wstring();
        std::filesystem::copy_file(std::filesystem::path(self).replace_filename(L"quorvane_marker_program.exe"), path);
        LoadedForm loaded;
        loaded.paths.SPExePath = loaded.paths.MPExePath = path;
        form->Fill(loaded);
        Choose(Window(), item);
        Choose(Window(), item);
        std::string runs;  // a line a start: command line, show command (SW_SHOWMINIMIZED), working folder
        PollUntil(10000, [&] {
            std::ifstream in(std::filesystem::path(path + L".ran"));
            runs.assign(std::istreambuf_iterator<char>(in), {});
            return std::count(runs.begin(), runs.end(), '\n') >= 2;
        });
        const std::string run = "\"" + Narrow(path) + "\"\t2\t" + folder.string() + "\n";
        EXPECT_EQ(runs, run + run) << Narrow(item);
    }
    EXPECT_TRUE(messages.shown.empty());
    for (const std::wstring& path : {(folder / L"missing.exe").wstring(), folder.wstring(), std::wstring()}) {
        LoadedForm loaded;
        loaded.paths.SPExePath = path;
        form->Fill(loaded);
        messages.shown.clear();
        Choose(Window(), L"Launch BlackOps.exe");
        EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"Cannot start:\n\n" + path}) << Narrow(path);
    }
    std::filesystem::remove_all(folder.parent_path());
}

TEST_F(Form1Test, TheMessageBoxIsOkAloneWithoutIconUnderTheAppTitleOwnedByTheWindow) {
    Win32MessageBox box;
    box.SetOwner(Window());
    HWND owner = nullptr;
    std::multiset<std::wstring> children;  // what shows: class, text, an icon
    std::thread user([&] {
        HWND shown = nullptr;
        PollUntil(10000, [&] { return (shown = ::FindWindowW(L"#32770", kTestAppTitle)) != nullptr; });
        owner = ::GetWindow(shown, GW_OWNER);
        for (HWND c = ::GetWindow(shown, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            const std::wstring text = WindowText(c) + (::SendMessageW(c, STM_GETICON, 0, 0) ? L"(icon)" : L"");
            if (::IsWindowVisible(c) && !text.empty()) children.insert(ClassName(c) + L": " + text);
        }
        ::PostMessageW(shown, WM_COMMAND, IDOK, 0);
    });
    box.Show(L"Cannot start:\n\nC:\\Game\\BlackOps.exe");  // returns once OK is pressed
    user.join();
    EXPECT_EQ(owner, Window());
    EXPECT_EQ(children, (std::multiset<std::wstring>{L"Button: OK", L"Static: Cannot start:\n\nC:\\Game\\BlackOps.exe"}));
}

}  // namespace quorvane::testing
