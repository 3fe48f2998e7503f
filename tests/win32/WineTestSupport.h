#pragma once
// What the Windows test programs share: the path of quorvane.exe as Windows names it,
// reading another window's texts, and waiting for something to happen.

#include <windows.h>

#include <algorithm>
#include <string>

namespace quorvane::testing {

// A host path as Wine shows it (the host's root is drive Z:); other paths unchanged.
inline std::wstring HostPathToWindows(std::wstring path) {
    if (!path.starts_with(L'/')) return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

// quorvane.exe, as built beside the tests.
inline const std::wstring& ProgramPath() {
    static const std::wstring path = HostPathToWindows(QUORVANE_PROGRAM_PATH);
    return path;
}

// Through WM_GETTEXT, so that it reads controls of other processes too.
inline std::wstring WindowText(HWND window) {
    std::wstring text(32768, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, 5000, &copied)) {
        return L"<no answer>";
    }
    return text.c_str();
}

inline std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// Calls found() until it says yes or the time is up; true if it said yes.
template <typename Found>
bool PollUntil(DWORD timeoutMs, Found found) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (found()) return true;
        if (::GetTickCount64() >= end) return false;
        ::Sleep(25);
    }
}

}  // namespace quorvane::testing
