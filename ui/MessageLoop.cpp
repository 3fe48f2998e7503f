#include "ui/MessageLoop.h"

#include <stdexcept>

namespace quorvane {

int RunMessageLoop(HWND window, HACCEL accelerators, ConfigWatch& watch, const std::function<void()>& due) {
    for (;;) {
        HANDLE handles[ConfigWatch::kMaxHandles] = {};
        const DWORD count = watch.Handles(handles);
        const DWORD woke =
            ::MsgWaitForMultipleObjectsEx(count, handles, watch.Timeout(), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_FAILED) throw std::runtime_error("the message queue could not be read");
        if (woke - WAIT_OBJECT_0 < count) watch.Signalled(woke - WAIT_OBJECT_0);
        // One message a turn: neither a stream of messages nor one of changes holds the other back.
        MSG message{};
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            if (!::TranslateAcceleratorW(window, accelerators, &message) && !::IsDialogMessageW(window, &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        if (!::IsWindow(window)) return 0;
        if (watch.Due()) due();
    }
}

}  // namespace quorvane
