#pragma once
// Conversion between the program's wide texts and the system's ANSI code page.
// On Windows that is CP_ACP; elsewhere the core maps bytes as Windows-1252.
// Embedded NULs are converted like any other character.

#include <string>
#include <string_view>

namespace quorvane {

std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view bytes);

}  // namespace quorvane
