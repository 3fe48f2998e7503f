// Program start: the window is created hidden, filled by the load sequence, shown,
// and the program runs until it is closed.
#include "registry/General.h"
#include "registry/Win32Registry.h"
#include "ui/ComPtr.h"
#include "ui/Form1.h"
#include "ui/MessageLoop.h"
#include "ui/Win32MessageBox.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    quorvane::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    quorvane::Win32MessageBox messages;
    quorvane::Form1 form(messages);
    if (!form.Create(instance)) {
        messages.Show(L"The main window could not be created.");
        return 1;
    }
    messages.SetOwner(form.hwnd());

    quorvane::Win32Registry registry;
    quorvane::General general(registry, messages);
    form.Form_Load(general);
    form.Show(showCommand);
    return quorvane::RunMessageLoop(form.hwnd());
}
