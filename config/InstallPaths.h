#pragma once
// Start-up: the version, the title, the game's installation from its registry key,
// and the paths of its configuration files.

#include "config/SettingsView.h"
#include "registry/General.h"

#include "Version.h"

#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::wstring_view kAppVersion = QUORVANE_APP_VERSION;
inline constexpr std::wstring_view kGameKeyPath =
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";

struct InstallPaths {
    std::wstring AppVersion;
    std::wstring InstallPath;
    std::wstring SPExePath;
    std::wstring MPExePath;
    std::wstring PlayersPath;
    std::wstring ConfigPath;
    std::wstring ConfigMpPath;
    // False when "InstallPath" could not be read or is no absolute path (see
    // IsAbsolutePath): config.cfg is then not opened.
    bool GameFound = false;
};

// Whether a path names one folder or file wherever the program runs: a drive letter, a
// colon and a separator, or two separators (a share). A separator is "\\" or "/".
// Anything else depends on the current folder or drive, or is no path at all.
bool IsAbsolutePath(std::wstring_view path);

// The box shown when the game's install folder cannot be used.
std::wstring GameNotFoundText();

// The text before the first NUL, or the whole text when it holds none.
std::wstring CutAtNul(std::wstring text);

// Sets view.Title and the path boxes view.Check[10] and view.Check[11]. Shows "Game Not Found:" when the
// install folder cannot be read or is not absolute.
InstallPaths FindInstallPaths(General& registry, MessageBoxApi& messages, SettingsView& view);

}  // namespace quorvane
