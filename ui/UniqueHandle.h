#pragma once
// Move-only owners for Windows handles, one per handle kind, all built on one
// template, plus scoped helpers for calls that come in pairs (BeginPaint/EndPaint,
// SelectObject and putting the old object back, CoInitializeEx/CoUninitialize).

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace quorvane {

// Traits give the handle type, its "no handle" value and how to let it go.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

    // The handle is cleared before it is closed, so a close that calls back into
    // the owner (DestroyWindow reaching WM_NCDESTROY) finds it already empty.
    void reset(Handle handle = Traits::Invalid()) {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    [[nodiscard]] Handle release() { return std::exchange(handle_, Traits::Invalid()); }

private:
    Handle handle_ = Traits::Invalid();
};

namespace handle_traits {

template <typename H, auto CloseFn>
struct NullIsInvalid {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { CloseFn(handle); }
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }

struct ChangeNotification {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::FindCloseChangeNotification(handle); }
};

}  // namespace handle_traits

using UniqueHwnd = UniqueHandle<handle_traits::NullIsInvalid<HWND, ::DestroyWindow>>;
using UniqueHmenu = UniqueHandle<handle_traits::NullIsInvalid<HMENU, ::DestroyMenu>>;
using UniqueHfont = UniqueHandle<handle_traits::NullIsInvalid<HFONT, handle_traits::DeleteGdiObject>>;
using UniqueHbrush = UniqueHandle<handle_traits::NullIsInvalid<HBRUSH, handle_traits::DeleteGdiObject>>;
using UniqueHbitmap = UniqueHandle<handle_traits::NullIsInvalid<HBITMAP, handle_traits::DeleteGdiObject>>;
// A memory device context from CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<handle_traits::NullIsInvalid<HDC, ::DeleteDC>>;
// A folder's change notification from FindFirstChangeNotification.
using UniqueFindChangeHandle = UniqueHandle<handle_traits::ChangeNotification>;
using UniqueHhook = UniqueHandle<handle_traits::NullIsInvalid<HHOOK, ::UnhookWindowsHookEx>>;
// A kernel object (process, thread) that is closed with CloseHandle.
using UniqueKernelHandle = UniqueHandle<handle_traits::NullIsInvalid<HANDLE, ::CloseHandle>>;

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = ::BeginPaint(window_, &paint_); }
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

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
