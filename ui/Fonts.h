#pragma once
// The window's two fonts, each made for the density of the display the window is on.

#include "ui/UniqueHandle.h"

#include <string_view>

namespace quorvane {

inline constexpr std::wstring_view kLabelFontFace = L"Terminal";

// True when the system has a font family of this name.
bool FontFamilyExists(std::wstring_view face);

// "Terminal" where the system has it; elsewhere a fixed-pitch bold font asked for in
// the same character cell, so that every label keeps its size. The cell follows the
// display's density: 90 x 120 twips.
UniqueHfont CreateLabelFont(int dpi);

// The check boxes' and text boxes' font: the system's GUI font, made for the screen's
// density, grown or shrunk to `dpi`.
UniqueHfont CreateControlFont(int dpi);

}  // namespace quorvane
