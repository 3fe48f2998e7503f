// Program start: the window is created hidden, filled by the load sequence, shown,
// and the program runs until it is closed.
#include "app/Startup.h"
#include "registry/General.h"
#include "registry/Win32Registry.h"
#include "ui/ComPtr.h"
#include "ui/Form1.h"
#include "ui/MessageLoop.h"
#include "ui/StartupTrace.h"
#include "ui/Win32MessageBox.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <new>
#include <string>

namespace {

int Run(HINSTANCE instance, int showCommand) {
    QUORVANE_STARTUP_PHASE("process start to wWinMain");
    quorvane::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    QUORVANE_STARTUP_PHASE("COM and common controls");

    quorvane::Win32MessageBox messages;
    quorvane::Form1 form(messages);
    if (!form.Create(instance)) {
        form.RethrowFailure();
        messages.Show(L"The main window could not be created.");
        return 1;
    }
    messages.SetOwner(form.hwnd());

    quorvane::Win32Registry registry;
    quorvane::General general(registry, messages);
    form.Form_Load(general);
    QUORVANE_STARTUP_PHASE("load: registry and config.cfg");
    form.Show(showCommand);
    QUORVANE_STARTUP_PHASE("first paint, after the map");
    QUORVANE_STARTUP_DONE();
    const int exitCode = quorvane::RunMessageLoop(form.hwnd());
    form.RethrowFailure();
    return exitCode;
}

// Whatever fails is said in one box before the program ends, never in silence.
int Stopped(const char* what) {
    // A quit still pending (the window posts one as it goes) would close the box at once.
    MSG quit{};
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    quorvane::Win32MessageBox messages;
    messages.Show(L"Quorvane stopped:\n\n" + std::wstring(what, what + std::char_traits<char>::length(what)));
    return 3;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    quorvane::RestrictDllSearch();
    try {
        return Run(instance, showCommand);
    } catch (const std::bad_alloc&) {
        return Stopped("not enough memory");
    } catch (const std::exception& failure) {
        return Stopped(failure.what());
    } catch (...) {
        return Stopped("an unexpected error");
    }
}
