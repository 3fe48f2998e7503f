#pragma once
// The main window's menu bar: "File" with its four items, then "About" on the bar
// itself. Built from one table.

#include "ui/UniqueHandle.h"

#include <array>
#include <string_view>

namespace quorvane {

// WM_COMMAND ids of the menu items.
enum class CommandId : unsigned {
    None = 0,
    Launch = 1001,
    LaunchMP,
    Save,
    Exit,
    About,
};

struct MenuSpec {
    int level;  // 0: on the bar; 1: in the pull-down of the bar entry before it
    std::wstring_view name;
    std::wstring_view caption;
    CommandId command;  // None for an entry that only opens its pull-down
};

inline constexpr std::array<MenuSpec, 6> kForm1Menu{{
    {0, L"File", L"File", CommandId::None},
    {1, L"Launch", L"Launch BlackOps.exe", CommandId::Launch},
    {1, L"LaunchMP", L"Launch BlackOpsMP.exe", CommandId::LaunchMP},
    {1, L"Save", L"Save Settings", CommandId::Save},
    {1, L"exit", L"Exit", CommandId::Exit},
    {0, L"About", L"About", CommandId::About},
}};

// A new menu bar built from kForm1Menu; empty if the system could not make it.
UniqueHmenu BuildForm1Menu();

}  // namespace quorvane
