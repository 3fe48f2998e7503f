#include "ui/MessageLoop.h"

#include <stdexcept>

namespace quorvane {
namespace {

// Sees each message a loop of this thread takes from the queue, before the loop does.
LRESULT CALLBACK DropPostedDpiChange(int code, WPARAM removed, LPARAM message) {
    auto* taken = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && taken->message == WM_DPICHANGED) {
        taken->message = WM_NULL;
        taken->wParam = 0;
        taken->lParam = 0;
    }
    return ::CallNextHookEx(nullptr, code, removed, message);
}

}  // namespace

PostedDpiChangeFilter::PostedDpiChangeFilter()
    : hook_(::SetWindowsHookExW(WH_GETMESSAGE, DropPostedDpiChange, nullptr, ::GetCurrentThreadId())) {}

int RunMessageLoop(HWND window, HACCEL accelerators, ConfigWatch& watch, const std::function<void()>& changed) {
    for (;;) {
        for (MSG message{}; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            if (::IsWindow(window) && (::TranslateAcceleratorW(window, accelerators, &message) ||
                                       ::IsDialogMessageW(window, &message))) {
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        HANDLE folder = watch.handle();
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(folder ? 1 : 0, &folder, watch.Timeout(), QS_ALLINPUT,
                                                         MWMO_INPUTAVAILABLE);
        if (woke == WAIT_FAILED) throw std::runtime_error("the message queue could not be read");
        if (folder && woke == WAIT_OBJECT_0) watch.Signalled();
        // Checked whatever woke the loop, so that a stream of messages cannot hold a change back.
        if (watch.TakeChange()) changed();
    }
}

}  // namespace quorvane
