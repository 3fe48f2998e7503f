#pragma once
// The check boxes' accessible names. A text box takes its name from the label created
// just before it; a check box would give its own caption, "Check1" on all twelve, so the
// caption of the label before it is set as its name instead. The names are given when an
// accessibility client first asks a check box for itself (WM_GETOBJECT), not at start:
// a program nobody reads aloud pays nothing for them, not even COM. Systems without the
// annotation service keep the caption.

#include "ui/UniqueHandle.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <optional>

namespace quorvane {

class AccessibleNames {
public:
    // Where the annotation service comes from: COM (FromCom), or a test.
    using ServiceSource = HRESULT (*)(IAccPropServices** service);
    static HRESULT FromCom(IAccPropServices** service);

    explicit AccessibleNames(ServiceSource source) : source_(source) {}
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    // Waits for the first request to any check box of `window`.
    void Watch(HWND window);
    // Takes the names back and stops watching; call while the check boxes still exist.
    void Clear();

private:
    static LRESULT CALLBACK OnCheckBoxMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR self);
    void Give();
    // The subclass goes once its work is done.
    void StopWatching();

    ServiceSource source_;
    HWND window_ = nullptr;
    bool asked_ = false;
    std::optional<ComApartment> com_;  // outlives the service below
    Microsoft::WRL::ComPtr<IAccPropServices> service_;
};

}  // namespace quorvane
