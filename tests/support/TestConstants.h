#pragma once
// What the tests compare the program with, written once: the game's key, the window
// title and the application title. The version comes from the build.

#include "Version.h"

namespace quorvane::testing {

inline constexpr wchar_t kTestGameKeyPath[] =
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";
inline constexpr wchar_t kTestGameSubKey[] = L"SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";
inline constexpr wchar_t kTestWindowTitle[] = L"Quorvane " QUORVANE_APP_VERSION L" by Pellowan (Debug Mode, Read Only)";
inline constexpr wchar_t kTestAppTitle[] = L"Quorvane by Pellowan";

}  // namespace quorvane::testing
