// The start-up benchmark's floors: windows like quorvane.exe's that do nothing else.
// Built bare, one empty window of the same client size, or with
// QUORVANE_FLOOR_CONTROLS, the same with the menu and the layout table's 45 controls
// (ui/Layout.h): no fonts, no picture, no load.
#include "ui/Layout.h"
#include "ui/ResourceIds.h"

#include <windows.h>

#include <string>

using namespace quorvane;

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    HDC screen = ::GetDC(nullptr);
    const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"QuorvaneFloor";
    ::RegisterClassW(&windowClass);

#ifdef QUORVANE_FLOOR_CONTROLS
    HMENU menu = ::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MENU));
    const wchar_t* title = L"Floor: menu and 45 controls";
#else
    HMENU menu = nullptr;
    const wchar_t* title = L"Floor: bare window";
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
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
