#pragma once
// What the Windows test programs share: the path of quorvane.exe as Windows names it,
// reading another window's texts, and waiting for something to happen.

#include <windows.h>

#include <string>

namespace quorvane::testing {

// A host path as Wine shows it (the host's root is drive Z:); other paths unchanged.
std::wstring HostPathToWindows(const std::wstring& path);

// quorvane.exe, as built beside the tests.
const std::wstring& ProgramPath();

// Through WM_GETTEXT, so that it reads controls of other processes too.
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

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
