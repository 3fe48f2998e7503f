#include "app/Startup.h"

#include "common/AnsiText.h"

#include <windows.h>

#include <exception>
#include <new>
#include <string_view>

// Windows 7 has it with update KB2533623, whatever the headers show for Windows 7.
#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace quorvane {
namespace {

int Stopped(std::string_view what, MessageBoxApi& messages) {
    // A quit still pending (the window posts one as it goes) would close the box at once.
    MSG quit{};
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    try {
        // What failed comes from the runtime or from Windows, in the ANSI code page.
        messages.Show(L"Quorvane stopped:\n\n" + AnsiToWide(what));
    } catch (...) {  // nothing more can be said
    }
    return 3;
}

}  // namespace

void RestrictDllSearch() {
    using SetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    const auto systemOnly = reinterpret_cast<SetDefaultDllDirectories>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!systemOnly || !systemOnly(LOAD_LIBRARY_SEARCH_SYSTEM32)) ::SetDllDirectoryW(L"");
}

int RunGuarded(const std::function<int()>& run, MessageBoxApi& messages) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        return Stopped("not enough memory", messages);
    } catch (const std::exception& failure) {
        return Stopped(failure.what(), messages);
    } catch (...) {
        return Stopped("an unexpected error", messages);
    }
}

}  // namespace quorvane
