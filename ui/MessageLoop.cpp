#include "ui/MessageLoop.h"

#include <stdexcept>

namespace quorvane {

int RunMessageLoop(HWND window) {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) throw std::runtime_error("the message queue could not be read");
        // Windows sends WM_DPICHANGED and never posts it: a posted one comes from another
        // program, with a rectangle that may point anywhere.
        if (message.message == WM_DPICHANGED) continue;
        if (::IsWindow(window) && ::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace quorvane
