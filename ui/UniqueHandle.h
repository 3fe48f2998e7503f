#pragma once
// Owners for Windows handles, one per handle kind: std::unique_ptr with the call that
// lets the handle go; plus scoped helpers for calls that come in pairs (GetDC and
// ReleaseDC, SelectObject and putting the old object back, CoInitializeEx and
// CoUninitialize).

#include <windows.h>

#include <objbase.h>

#include <memory>
#include <type_traits>

namespace quorvane {

template <auto Close>
struct HandleCloser {
    void operator()(auto handle) const { Close(handle); }
};
// A null handle is none; unique_ptr clears its handle before closing it, so a close that
// calls back into the owner (DestroyWindow reaching WM_NCDESTROY) finds it already empty.
template <typename Handle, auto Close>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleCloser<Close>>;

using UniqueHwnd = UniqueHandle<HWND, ::DestroyWindow>;
using UniqueHmenu = UniqueHandle<HMENU, ::DestroyMenu>;
using UniqueHfont = UniqueHandle<HFONT, ::DeleteObject>;
using UniqueHbrush = UniqueHandle<HBRUSH, ::DeleteObject>;
using UniqueHbitmap = UniqueHandle<HBITMAP, ::DeleteObject>;
// A memory device context from CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<HDC, ::DeleteDC>;
using UniqueHhook = UniqueHandle<HHOOK, ::UnhookWindowsHookEx>;
// A kernel object (process, thread, event, folder) that is closed with CloseHandle.
using UniqueKernelHandle = UniqueHandle<HANDLE, ::CloseHandle>;

// GetDC and ReleaseDC; a null window gives the screen.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectScope() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The thread in a single-threaded COM apartment for as long as the scope lasts, if it
// was in none. The window needs COM for decoding its picture and for giving its check
// boxes their accessible names.
class ComApartment {
public:
    ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

}  // namespace quorvane
