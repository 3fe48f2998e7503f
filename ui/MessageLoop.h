#pragma once
// The program's message loop, and what every loop on its thread must not act on.

#include "ui/ConfigWatch.h"
#include "ui/UniqueHandle.h"

#include <functional>

namespace quorvane {

// Runs until WM_QUIT and returns its exit code; throws if the queue cannot be read.
// Keyboard messages go through `accelerators` and IsDialogMessage for `window`, which
// gives Tab and Shift+Tab between its controls. Beside its messages the loop waits on
// `watch`, and calls `changed` when config.cfg has changed.
int RunMessageLoop(HWND window, HACCEL accelerators, ConfigWatch& watch, const std::function<void()>& changed);

// While it lives, a WM_DPICHANGED posted to this thread becomes WM_NULL in whichever
// loop retrieves it: the program's own, a message box's, a menu's, a move's. Windows
// sends the message and never posts it; a posted one comes from another program, with
// a rectangle that may point anywhere. Check IsActive().
class PostedDpiChangeFilter {
public:
    PostedDpiChangeFilter();
    bool IsActive() const { return static_cast<bool>(hook_); }

private:
    UniqueHhook hook_;
};

}  // namespace quorvane
