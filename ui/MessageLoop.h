#pragma once
// The program's message loop.

#include "ui/ConfigWatch.h"

#include <functional>

namespace quorvane {

// Runs until WM_QUIT, or until `window` is gone however that came about, and returns the
// exit code; throws if the queue cannot be read. Keyboard messages go through
// `accelerators` and IsDialogMessage for `window`, which gives Tab and Shift+Tab between
// its controls. Beside its messages the loop waits on `watch`, and calls `due` when
// config.cfg is to be read.
int RunMessageLoop(HWND window, HACCEL accelerators, ConfigWatch& watch, const std::function<void()>& due);

}  // namespace quorvane
