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

// The program a stored path names: the path inside one pair of enclosing quotes, or the
// text less the blanks after it. Nothing more of a command line is read: blanks before
// the path, or arguments after it, leave a text that is no program path.
std::wstring_view ProgramPathOf(std::wstring_view stored);

// Whether a path may be started: an absolute path (IsAbsolutePath) to a program (".exe"
// in any case). Nothing else: not "Error" (a value that could not be read), not a
// relative path, which this program's own folder could answer, not a batch file, in
// which cmd expands %...%, not a path holding a quote.
bool IsProgramPath(std::wstring_view path);

// Starts the program that `stored` names (ProgramPathOf), if IsProgramPath allows it,
// with no arguments, minimised, in the folder that holds it (the path up to its last
// backslash or slash), and does not wait for it. The path is the application name and,
// in quotes, the whole command line, so a path with spaces can never be taken for a
// shorter one ("C:\Program.exe" for "C:\Program Files\..."). False when it was not
// started.
bool StartProgram(std::wstring_view stored);

}  // namespace quorvane
