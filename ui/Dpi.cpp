#include "ui/Dpi.h"

#include "ui/UniqueHandle.h"

namespace quorvane {
namespace {

// A function the running Windows may not have, or null.
template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace

// Windows fixes the system's density for a process when it starts: asked once.
int ScreenDpi() {
    static const int dpi = [] {
        WindowDc screen(nullptr);
        const int asked = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        return asked > 0 ? asked : kNaturalDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    using ForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow = Lookup<ForWindow>(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (const UINT dpi = forWindow ? forWindow(window) : 0) return static_cast<int>(dpi);
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    // Windows 8.1 and later, where the program's start has restricted the search to the system folder.
    static const auto forMonitor = Lookup<ForMonitor>(::LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor");
    UINT dpiX = 0, dpiY = 0;
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the density the user chose for that monitor
    if (forMonitor &&
        SUCCEEDED(forMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &dpiX, &dpiY)) &&
        dpiY > 0) {
        return static_cast<int>(dpiY);
    }
    return ScreenDpi();
}

}  // namespace quorvane
