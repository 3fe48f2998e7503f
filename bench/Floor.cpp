// The start-up benchmark's floors: windows like quorvane.exe's that do nothing else.
// Built bare, one empty window of the same client size; with QUORVANE_FLOOR_CONTROLS,
// the same with the menu and the layout table's 45 controls (ui/Layout.h); with
// QUORVANE_FLOOR_PICTURE as well, the same drawing quorvane.exe's picture, which it
// decodes as quorvane.exe does: the same resource, by the same code
// (ui/Background.cpp), on a thread of its own while the window and its controls are
// made, and shown only once decoded. No fonts, no load.
#include "ui/Layout.h"
#include "ui/ResourceIds.h"

#include <windows.h>

#include <string>

#ifdef QUORVANE_FLOOR_PICTURE
#include "ui/Background.h"
#include "ui/UniqueHandle.h"

#include <future>
#endif

using namespace quorvane;

#ifdef QUORVANE_FLOOR_PICTURE
static UniqueHbitmap g_picture;

// The picture at the client area's top left corner, which it covers.
static void DrawPicture(HWND window) {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(window, &paint);
    {
        UniqueMemoryDc source(::CreateCompatibleDC(dc));
        const SIZE size = BitmapSize(g_picture.get());
        SelectScope selected(source.get(), g_picture.get());
        ::BitBlt(dc, 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
    }
    ::EndPaint(window, &paint);
}
#endif

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
#ifdef QUORVANE_FLOOR_PICTURE
    if (message == WM_ERASEBKGND) return 1;  // the picture paints the whole client area
    if (message == WM_PAINT) {
        DrawPicture(window);
        return 0;
    }
#endif
    return ::DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    HDC screen = ::GetDC(nullptr);
    const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
#ifdef QUORVANE_FLOOR_PICTURE
    std::future<UniqueHbitmap> decoding = std::async(std::launch::async, [instance, dpiY] {
        ComApartment com;
        return DecodeJpegResource(instance, IDR_BACKGROUND, dpiY);
    });
#endif

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"QuorvaneFloor";
    ::RegisterClassW(&windowClass);

#if defined(QUORVANE_FLOOR_PICTURE)
    const wchar_t* title = L"Floor: menu, 45 controls and picture";
#elif defined(QUORVANE_FLOOR_CONTROLS)
    const wchar_t* title = L"Floor: menu and 45 controls";
#else
    const wchar_t* title = L"Floor: bare window";
#endif
#ifdef QUORVANE_FLOOR_CONTROLS
    HMENU menu = ::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MENU));
#else
    HMENU menu = nullptr;
#endif
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, TwipsToPixels(kClientWidthTwips, dpiX), TwipsToPixels(kClientHeightTwips, dpiY)};
    ::AdjustWindowRect(&outer, style, menu != nullptr);
    HWND window = ::CreateWindowW(L"QuorvaneFloor", title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, menu, instance, nullptr);
#ifdef QUORVANE_FLOOR_CONTROLS
    for (const ControlSpec& entry : kForm1Layout) {
        const ControlKind kind = entry.kind;
        const DWORD controlStyle = WS_CHILD | (kind == ControlKind::CommandButton ? 0 : WS_VISIBLE) |
                                   (kind == ControlKind::CheckBox ? BS_AUTOCHECKBOX : 0);
        ::CreateWindowExW(kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0,
                          kind == ControlKind::Label ? L"STATIC" : kind == ControlKind::TextBox ? L"EDIT" : L"BUTTON",
                          std::wstring(entry.caption).c_str(), controlStyle, TwipsToPixels(entry.twips.left, dpiX),
                          TwipsToPixels(entry.twips.top, dpiY), TwipsToPixels(entry.twips.width, dpiX),
                          TwipsToPixels(entry.twips.height, dpiY), window,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ToInt(entry.id))), instance, nullptr);
    }
#endif
#ifdef QUORVANE_FLOOR_PICTURE
    g_picture = decoding.get();
    if (!g_picture) return 1;  // without its picture this is not the floor: the benchmark stops
#endif
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
