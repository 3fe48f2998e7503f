#pragma once
// Everything the main window does before it is first shown: title, install paths,
// config.cfg and its settings. It needs no window, only the registry and a way to
// show a message.

#include "config/ConfigFile.h"
#include "config/InstallPaths.h"
#include "config/Settings.h"
#include "config/SettingsView.h"
#include "registry/General.h"

#include <functional>

namespace quorvane {

struct LoadedForm {
    InstallPaths paths;
    ConfigLines lines;
    SettingsView view;
    bool configRead = false;  // config.cfg was read
};

// The box shown when config.cfg cannot be read.
std::wstring CannotOpenText(const std::wstring& configPath);

// Reading config.cfg again while the window is up: whether the file gives `setting`
// another value now (`was` and `now` are what the file gave then and now). Only such
// settings' controls change; the others keep what they show, text the user typed included.
bool SettingChanged(const Setting& setting, const SettingsView& was, const SettingsView& now);

// Starts from the window's initial state (boxes clear, texts "0") and fills it.
// Shows "Game Not Found:" when the game's install folder cannot be read (and then
// leaves config.cfg alone), or "Cannot open:" when config.cfg cannot be read. Once the
// game is found, `found` is given its paths before config.cfg is read.
LoadedForm RunLoadSequence(General& registry, MessageBoxApi& messages,
                           const std::function<void(const InstallPaths&)>& found);

}  // namespace quorvane
