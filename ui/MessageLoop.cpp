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

int RunMessageLoop(HWND window) {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) throw std::runtime_error("the message queue could not be read");
        if (::IsWindow(window) && ::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace quorvane
