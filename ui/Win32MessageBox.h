#pragma once
// The program's message boxes on the desktop: MessageBoxW, OK alone, no icon, the
// application title, owned by the main window once there is one.

#include "common/MessageBoxApi.h"

#include <windows.h>

namespace quorvane {

class Win32MessageBox final : public MessageBoxApi {
public:
    // The window the boxes belong to (disabled while one is up); null for none.
    void SetOwner(HWND owner) { owner_ = owner; }
    void Show(const std::wstring& text) override {
        const std::wstring title(kAppTitle);
        // The owner may be gone by now (a box shown while the program ends).
        ::MessageBoxW(owner_ && ::IsWindow(owner_) ? owner_ : nullptr, text.c_str(), title.c_str(), MB_OK);
    }

private:
    HWND owner_ = nullptr;
};

}  // namespace quorvane
