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

// The box shown when the game's install folder cannot be used.
std::wstring GameNotFoundText();

// Sets view.Title and the path boxes view.Check[kConfigPathBox] and [kConfigMpPathBox]. Shows "Game Not Found:" when the
// install folder cannot be read or is not absolute.
InstallPaths FindInstallPaths(General& registry, MessageBoxApi& messages, SettingsView& view);

}  // namespace quorvane
