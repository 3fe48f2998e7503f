#pragma once
// Finds the twenty settings in the lines of config.cfg. Each recogniser compares the
// start of a line with a fixed text and, for a valued setting, cuts the value out at
// fixed positions; the lines are not parsed.

#include "config/ConfigFile.h"
#include "config/SettingsView.h"

#include <string>
#include <string_view>

namespace quorvane {

// The value extractions, for a line whose first n characters matched.
std::wstring TailValue(std::wstring_view line, std::size_t n);
std::wstring ClippedValue(std::wstring_view line, std::size_t n);
std::wstring FirstCharValue(std::wstring_view line, std::size_t n);

// Applies the first recogniser that matches the line, if any.
void RecogniseLine(std::wstring_view line, SettingsView& view);

// Hands lines 1 to 548 (as many as there are) to RecogniseLine, in rising order.
void ScanConfigLines(const ConfigLines& lines, SettingsView& view);

}  // namespace quorvane
