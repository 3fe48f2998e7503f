#pragma once
// What the program does before anything else, and its last resort.

#include "common/MessageBoxApi.h"

#include <functional>

namespace quorvane {

// Lets DLLs load only from Windows' system folder, never from the program's folder
// or the current one, where a DLL with a system DLL's name may have been put. Where
// Windows lacks SetDefaultDllDirectories (Windows 7 without its update), at least the
// current folder is taken out of the search.
void RestrictDllSearch();

// Returns what `run` returns. Whatever stops it early is never silent: one box,
// "Quorvane stopped:" and what failed, then exit code 3.
int RunGuarded(const std::function<int()>& run, MessageBoxApi& messages);

}  // namespace quorvane
