// Program start: the window is created hidden, filled by the load sequence, shown,
// and the program runs until it is closed, the window following config.cfg.
#include "app/Startup.h"
#include "registry/General.h"
#include "registry/Win32Registry.h"
#include "ui/Form1.h"
#include "bench/StartupTrace.h"
#include "ui/Win32MessageBox.h"

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

namespace {

int Run(HINSTANCE instance, int showCommand) {
    QUORVANE_STARTUP_PHASE("process start to wWinMain");
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    QUORVANE_STARTUP_PHASE("common controls");

    quorvane::Win32MessageBox messages;
    quorvane::Form1 form(messages);
    if (!form.Create(instance)) {
        form.RethrowFailure();
        throw std::runtime_error("the main window could not be created");
    }
    messages.SetOwner(form.hwnd());

    quorvane::Win32Registry registry;
    quorvane::General general(registry, messages);
    form.Form_Load(general);
    QUORVANE_STARTUP_PHASE("load: registry and config.cfg");
    form.Show(showCommand);
    QUORVANE_STARTUP_PHASE("first paint, after the map");
    QUORVANE_STARTUP_DONE();
    return form.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    quorvane::RestrictDllSearch();
    quorvane::Win32MessageBox stopped;  // owned by no window: the window may be gone
    return quorvane::RunGuarded([&] { return Run(instance, showCommand); }, stopped);
}
