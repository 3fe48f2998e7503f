#pragma once
// Everything the main window does before it is first shown: title, install paths,
// config.cfg and its settings. It needs no window, only the registry and a way to
// show a message.

#include "config/ConfigFile.h"
#include "config/InstallPaths.h"
#include "config/SettingsView.h"
#include "registry/General.h"

namespace quorvane {

struct LoadedForm {
    InstallPaths paths;
    ConfigLines lines;
    SettingsView view;
};

// Starts from the window's initial state (boxes clear, texts "0") and fills it.
// Shows "Game Not Found:" when the game's install folder cannot be read (and then
// leaves config.cfg alone), or "Cannot open:" when config.cfg cannot be read.
LoadedForm RunLoadSequence(General& registry, MessageBoxApi& messages);

}  // namespace quorvane
