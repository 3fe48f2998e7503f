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
    void Show(const std::wstring& text) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace quorvane
