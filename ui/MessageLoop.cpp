#include "ui/MessageLoop.h"

namespace quorvane {

int RunMessageLoop(HWND window) {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 1;  // the queue is unusable; nothing more can happen
        // Windows sends WM_DPICHANGED and never posts it: a posted one comes from another
        // program, with a rectangle that may point anywhere.
        if (message.message == WM_DPICHANGED) continue;
        if (::IsWindow(window) && ::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace quorvane
