// The program's real message box, read and closed from another thread as a user
// would: its title, text, buttons, icon and owner.
#include "tests/win32/ui/UiTestSupport.h"

#include "ui/Commands.h"
#include "ui/Win32MessageBox.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace quorvane::testing {
namespace {

struct SeenBox {
    bool found = false;
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;
    int icons = 0;
    HWND owner = nullptr;
    bool ownerEnabled = true;
};

BOOL CALLBACK NoteChild(HWND child, LPARAM out) {
    SeenBox& box = *reinterpret_cast<SeenBox*>(out);
    if (!::IsWindowVisible(child)) return TRUE;
    const std::wstring kind = ClassName(child);
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    if (kind == L"Button") {
        box.buttons.push_back(WindowText(child));
    } else if (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
        if (::SendMessageW(child, STM_GETICON, 0, 0) != 0) ++box.icons;
    } else if (kind == L"Static" && !WindowText(child).empty()) {
        box.text = WindowText(child);
    }
    return TRUE;
}

BOOL CALLBACK NoteBox(HWND window, LPARAM out) {
    if (ClassName(window) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    SeenBox& box = *reinterpret_cast<SeenBox*>(out);
    box.found = true;
    box.title = WindowText(window);
    box.owner = ::GetWindow(window, GW_OWNER);
    box.ownerEnabled = box.owner && ::IsWindowEnabled(box.owner);
    ::EnumChildWindows(window, NoteChild, out);
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return FALSE;
}

// Waits for a message box on the given thread, notes what it shows and presses OK.
SeenBox ReadAndClose(DWORD threadId) {
    SeenBox seen;
    for (int i = 0; i < 200 && !seen.found; ++i) {
        ::EnumThreadWindows(threadId, NoteBox, reinterpret_cast<LPARAM>(&seen));
        if (!seen.found) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return seen;
}

TEST(Win32MessageBox, ShowsTheTextWithOkAloneNoIconAndTheAppTitleOwnedByTheWindow) {
    DrainMessages();
    RecordingMessages unused;
    Form1 form(unused);
    ASSERT_TRUE(form.Create(::GetModuleHandleW(nullptr)));
    form.Show(SW_SHOWNORMAL);

    Win32MessageBox box;
    box.SetOwner(form.hwnd());
    const std::wstring text = CannotStartText(L"C:\\Program Files (x86)\\Game\\BlackOps.exe");
    const DWORD thisThread = ::GetCurrentThreadId();
    SeenBox seen;
    std::thread user([&] { seen = ReadAndClose(thisThread); });
    box.Show(text);  // returns once the other thread has pressed OK
    user.join();

    ASSERT_TRUE(seen.found) << "no message box appeared";
    EXPECT_EQ(seen.title, L"Quorvane by Pellowan");
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.icons, 0);
    EXPECT_EQ(seen.owner, form.hwnd());
    EXPECT_FALSE(seen.ownerEnabled) << "modal: the window takes no input while the box is up";
    EXPECT_TRUE(::IsWindowEnabled(form.hwnd())) << "and takes it again afterwards";

    // With its owner gone, a box still shows, on its own.
    ::DestroyWindow(form.hwnd());
    DrainMessages();
    SeenBox orphan;
    std::thread user2([&] { orphan = ReadAndClose(thisThread); });
    box.Show(L"About");
    user2.join();
    ASSERT_TRUE(orphan.found);
    EXPECT_EQ(orphan.owner, nullptr);
    EXPECT_EQ(orphan.text, L"About");
}

}  // namespace
}  // namespace quorvane::testing
