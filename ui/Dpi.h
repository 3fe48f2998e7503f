#pragma once
// Display density, in dots per inch.

#include <windows.h>

namespace quorvane {

// The density of the design (15 twips a pixel) and of the picture's own size.
inline constexpr int kNaturalDpi = 96;

// Densities no display has (Windows goes to 480); a change to one is ignored.
inline constexpr int kMinDpi = 48;
inline constexpr int kMaxDpi = 960;

// The screen's density, the one the system's own fonts are made for.
int ScreenDpi();

// The density of the display the window is on: asked of the window where Windows
// knows it per window (Windows 10), of its monitor where it knows it per monitor
// (Windows 8.1), else the screen's. The newer functions are looked up when called,
// so the program still starts on Windows 7.
int WindowDpi(HWND window);

}  // namespace quorvane
