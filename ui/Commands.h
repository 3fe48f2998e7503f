#pragma once
// What the menu commands show and start, apart from the window that runs them.

#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::wstring_view kAuthorEmail = L"pellowan@example.com";
inline constexpr std::wstring_view kAuthorBlog = L"https://blog.example.com/pellowan";

// The About box's four lines, joined by CR LF, with no line break after the last.
std::wstring AboutText(std::wstring_view appVersion);

// Shown when a game executable cannot be started.
std::wstring CannotStartText(std::wstring_view path);

// Starts the executable at exactly this path, with no arguments, minimised, in the
// folder that holds it (the path up to its last backslash; a path without one keeps
// this program's working folder), and does not wait for it. The path is the
// application name and, in quotes, the whole command line, so a path with spaces
// can never be taken for a shorter one ("C:\Program.exe" for "C:\Program Files\...").
// False when it could not be started.
bool StartProgram(const std::wstring& path);

}  // namespace quorvane
