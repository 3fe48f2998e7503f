#include "ui/Win32MessageBox.h"

namespace quorvane {

void Win32MessageBox::Show(const std::wstring& text) {
    const std::wstring title(kAppTitle);
    // The owner may be gone by now (a box shown while the program ends).
    HWND owner = owner_ && ::IsWindow(owner_) ? owner_ : nullptr;
    ::MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK);
}

}  // namespace quorvane
