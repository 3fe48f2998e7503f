#pragma once
// What the Windows test programs share: the path of quorvane.exe as Windows names it,
// reading another window's texts, and waiting for something to happen.

#include <windows.h>

#include <algorithm>
#include <string>

namespace quorvane::testing {

// A path as CMake gives it, with backslashes; a host path as Wine shows it (the host's root is drive Z:).
inline std::wstring HostPathToWindows(std::wstring path) {
    const bool host = path.starts_with(L'/');
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return host ? L"Z:" + path : path;
}

// quorvane.exe, as built beside the tests.
inline const std::wstring kProgramPath = HostPathToWindows(QUORVANE_PROGRAM_PATH);

// Through WM_GETTEXT, so that it reads controls of other processes too.
inline std::wstring WindowText(HWND window) {
    std::wstring text(32768, L'\0');
    DWORD_PTR copied = 0;
    const LPARAM buffer = reinterpret_cast<LPARAM>(text.data());
    const bool ok = ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), buffer, SMTO_ABORTIFHUNG, 5000, &copied);
    return ok ? text.c_str() : L"<no answer>";
}

inline std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// Calls found() until it says yes or the time is up; true if it said yes.
template <typename Found>
bool PollUntil(DWORD timeoutMs, Found found) {
    for (const ULONGLONG end = ::GetTickCount64() + timeoutMs; !found(); ::Sleep(25)) {
        if (::GetTickCount64() >= end) return false;
    }
    return true;
}

}  // namespace quorvane::testing
