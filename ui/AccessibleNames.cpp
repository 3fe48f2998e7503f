#include "ui/AccessibleNames.h"

#include "ui/Layout.h"

#include <commctrl.h>

#include <string>
#include <utility>

namespace quorvane {
namespace {

template <typename Each>
void ForEachCheckBox(HWND window, Each each) {
    for (std::size_t i = 1; i < kForm1Layout.size(); ++i) {
        if (kForm1Layout[i].kind != ControlKind::CheckBox) continue;
        each(::GetDlgItem(window, ToInt(kForm1Layout[i].id)), kForm1Layout[i - 1].caption);
    }
}

}  // namespace

HRESULT AccessibleNames::FromCom(IAccPropServices** service) {
    return ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(service));
}

void AccessibleNames::Watch(HWND window) {
    window_ = window;
    ForEachCheckBox(window, [this](HWND box, std::wstring_view) {
        ::SetWindowSubclass(box, OnCheckBoxMessage, 0, reinterpret_cast<DWORD_PTR>(this));
    });
}

LRESULT CALLBACK AccessibleNames::OnCheckBoxMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                                    UINT_PTR, DWORD_PTR self) {
    if (message == WM_GETOBJECT) reinterpret_cast<AccessibleNames*>(self)->Give();
    return ::DefSubclassProc(control, message, wParam, lParam);
}

void AccessibleNames::Give() {
    if (std::exchange(asked_, true)) return;
    StopWatching();
    com_.emplace();
    if (FAILED(source_(service_.ReleaseAndGetAddressOf()))) return;
    ForEachCheckBox(window_, [this](HWND box, std::wstring_view label) {
        const std::wstring name(label);
        service_->SetHwndPropStr(box, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
    });
}

void AccessibleNames::StopWatching() {
    ForEachCheckBox(window_, [](HWND box, std::wstring_view) { ::RemoveWindowSubclass(box, OnCheckBoxMessage, 0); });
}

void AccessibleNames::Clear() {
    StopWatching();
    if (!service_) return;
    ForEachCheckBox(window_, [this](HWND box, std::wstring_view) {
        MSAAPROPID name = PROPID_ACC_NAME;
        service_->ClearHwndProps(box, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    });
}

}  // namespace quorvane
