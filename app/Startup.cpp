#include "app/Startup.h"

#include <windows.h>

namespace quorvane {

void RestrictDllSearch() {
    using SetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    const auto systemOnly = reinterpret_cast<SetDefaultDllDirectories>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!systemOnly || !systemOnly(LOAD_LIBRARY_SEARCH_SYSTEM32)) ::SetDllDirectoryW(L"");
}

}  // namespace quorvane
