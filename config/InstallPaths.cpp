#include "config/InstallPaths.h"

#include "config/AbsolutePath.h"

namespace quorvane {
namespace {

// The reader rewrites the key path it is given, so each read gets fresh copies.
RegistryValue ReadGameValue(General& registry, std::wstring_view valueName) {
    std::wstring keyPath(kGameKeyPath);
    const std::wstring name(valueName);
    return registry.ReadRegistryString(keyPath, name);
}

// The text before the first NUL, or the whole text when it holds none.
std::wstring CutAtNul(std::wstring text) {
    const auto nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
}

}  // namespace

std::wstring GameNotFoundText() { return L"Game Not Found:\n\n" + std::wstring(kGameKeyPath); }

InstallPaths FindInstallPaths(General& registry, MessageBoxApi& messages, SettingsView& view) {
    InstallPaths paths;
    paths.AppVersion = kAppVersion;
    view.Title = L"Quorvane " + paths.AppVersion + L" by Pellowan (Debug Mode, Read Only)";

    const RegistryValue install = ReadGameValue(registry, L"InstallPath");
    const RegistryValue singlePlayer = ReadGameValue(registry, L"SPExePath");
    const RegistryValue multiPlayer = ReadGameValue(registry, L"MPExePath");

    paths.InstallPath = CutAtNul(install.text());
    paths.SPExePath = CutAtNul(singlePlayer.text());
    paths.MPExePath = CutAtNul(multiPlayer.text());

    paths.PlayersPath = paths.InstallPath + L"\\players";
    paths.ConfigPath = paths.PlayersPath + L"\\config.cfg";
    paths.ConfigMpPath = paths.PlayersPath + L"\\config_mp.cfg";

    // Longer than the file names alone: always, since the paths end in "\\players\\...".
    view.Check[kConfigPathBox] = paths.ConfigPath.size() > 10 ? 1 : 0;
    view.Check[kConfigMpPathBox] = paths.ConfigMpPath.size() > 12 ? 1 : 0;

    // A relative folder would be looked for wherever the program was started, which the
    // game's key never named; an unexpanded %VAR% is one too.
    paths.GameFound = install.kind() == RegistryValue::Kind::Text && IsAbsolutePath(paths.InstallPath);
    if (!paths.GameFound) messages.Show(GameNotFoundText());
    return paths;
}

}  // namespace quorvane
