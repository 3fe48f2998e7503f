#include "ui/ForgedMessageFilter.h"

#include <algorithm>
#include <array>

namespace quorvane {
namespace {

constexpr std::array<UINT, 5> kSentOnly = {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY, WM_DPICHANGED};

// Sees each message a loop of this thread takes from the queue, before the loop does.
LRESULT CALLBACK DropForged(int code, WPARAM removed, LPARAM message) {
    auto* taken = reinterpret_cast<MSG*>(message);
    // The program sets no timer that calls back: DispatchMessage would call the address.
    const bool timerCallback = taken->message == WM_TIMER && taken->lParam != 0;
    if (code == HC_ACTION &&
        (timerCallback || std::find(kSentOnly.begin(), kSentOnly.end(), taken->message) != kSentOnly.end())) {
        *taken = MSG{taken->hwnd, WM_NULL, 0, 0, taken->time, taken->pt};
    }
    return ::CallNextHookEx(nullptr, code, removed, message);
}

}  // namespace

ForgedMessageFilter::ForgedMessageFilter()
    : hook_(::SetWindowsHookExW(WH_GETMESSAGE, DropForged, nullptr, ::GetCurrentThreadId())) {}

}  // namespace quorvane
