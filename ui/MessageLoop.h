#pragma once
// The program's message loop.

#include <windows.h>

namespace quorvane {

// Runs until WM_QUIT and returns its exit code; throws if the queue cannot be read. Keyboard messages go through
// IsDialogMessage for `window`, which gives Tab and Shift+Tab between its controls.
// A posted WM_DPICHANGED is dropped.
int RunMessageLoop(HWND window);

}  // namespace quorvane
