#include "ui/Form1.h"

#include "config/Recognisers.h"
#include "config/Settings.h"
#include "ui/Background.h"
#include "ui/Commands.h"
#include "ui/Fonts.h"
#include "ui/MessageLoop.h"
#include "ui/ResourceIds.h"
#include "bench/StartupTrace.h"

#include <array>
#include <string>
#include <utility>

namespace quorvane {
namespace {

// The window class and styles of each kind of control, in the order of ControlKind.
constexpr struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
} kWindowKinds[] = {
    // A label never takes the focus; no word wrap keeps the caption on one line.
    {L"STATIC", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0},
    {L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    // The command button is hidden for good: never shown, so never clicked or reached with Tab.
    {L"BUTTON", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

HWND CreateControl(HWND parent, HINSTANCE instance, const ControlSpec& entry, const RECT& at) {
    const WindowKind& kind = kWindowKinds[static_cast<int>(entry.kind)];
    const std::wstring caption(entry.caption);
    HWND control = ::CreateWindowExW(kind.exStyle, kind.className, caption.c_str(), kind.style, at.left, at.top,
                                     at.right - at.left, at.bottom - at.top, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(ToInt(entry.id))), instance, nullptr);
    if (control && entry.kind == ControlKind::TextBox) ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no limit
    return control;
}

}  // namespace

Form1::~Form1() {
    if (window_) ::DestroyWindow(window_.get());
}

bool Form1::Create(HINSTANCE instance) {
    instance_ = instance;
    if (!forgedMessages_.IsActive()) return false;
    // Until the window is on a display (WM_CREATE), the screen's density is the best
    // guess at its own: for its first size and for its picture.
    dpi_ = pictureDpi_ = ScreenDpi();
    // Decoding the picture loads the codecs: that goes on beside the window's making,
    // or in WM_CREATE if no thread can be had.
    decoding_ = std::async(std::launch::async | std::launch::deferred, [instance, dpi = dpi_] {
        ComApartment com;
        return DecodeJpegResource(instance, IDR_BACKGROUND, dpi);
    });

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kForm1ClassName;
    // Windows takes the title bar's small icon from the same resource, at its size.
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_QUORVANE));
    if (!::RegisterClassW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    UniqueHmenu menu(::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MENU)));
    accelerators_ = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    if (!menu || !accelerators_) return false;

    // WM_NCCREATE hands the window to window_; a failed OnCreate destroys it again. Its
    // size comes with its layout, in WM_CREATE.
    creating_ = this;
    HWND created = ::CreateWindowExW(0, kForm1ClassName, L"Form1", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, nullptr, menu.get(), instance, nullptr);
    creating_ = nullptr;
    if (!created) {
        // A window that got as far as its menu took it along when it went.
        if (!::IsMenu(menu.get())) (void)menu.release();
        return false;
    }
    (void)menu.release();  // the window owns its menu now
    return true;
}

void Form1::Form_Load(General& registry) {
    // Its boxes are up while the window is hidden: no command may open another.
    busy_ = true;
    // Watched before it is read, so that no change after the read goes unseen.
    const LoadedForm loaded =
        RunLoadSequence(registry, messages_, [this](const InstallPaths& paths) { watch_.Start(paths.InstallPath); });
    if (loaded.paths.GameFound && !loaded.configRead) watch_.Retry();
    Fill(loaded);
    busy_ = false;
}

void Form1::Fill(const LoadedForm& loaded) {
    paths_ = loaded.paths;
    fileView_ = loaded.view;
    ::SetWindowTextW(hwnd(), loaded.view.Title.c_str());
    for (const Setting& setting : kSettings) ShowSetting(setting, loaded.view);
    for (const int pathBox : {kConfigPathBox, kConfigMpPathBox}) {
        const WPARAM state = loaded.view.Check[pathBox] == 1 ? BST_CHECKED : BST_UNCHECKED;
        ::SendMessageW(Control(CheckBoxId(pathBox)), BM_SETCHECK, state, 0);
    }
}

void Form1::ShowSetting(const Setting& setting, const SettingsView& view) {
    const int n = setting.control;
    if (setting.rule == Rule::Flag) {
        ::SendMessageW(Control(CheckBoxId(n)), BM_SETCHECK, view.Check[n] == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    } else {
        // A text box laying out millions of characters would hold the window back for
        // seconds; no value the game writes comes near this many.
        const std::wstring shown = view.Text[n].substr(0, kMaxShownValueLength);
        ::SetWindowTextW(Control(TextBoxId(n)), shown.c_str());
    }
}

void Form1::Reload(bool asked) {
    if (!paths_.GameFound) {
        if (asked) messages_.Show(GameNotFoundText());
        return;
    }
    watch_.Follow();
    const std::optional<ConfigLines> lines = ReadConfigLines(paths_.ConfigPath);
    if (!lines) {
        watch_.Retry();
        if (asked) messages_.Show(CannotOpenText(paths_.ConfigPath));
        return;
    }
    SettingsView now;
    ScanConfigLines(*lines, now);
    // The user asked for the whole file; a change shows only what it changed.
    for (const Setting& setting : kSettings) {
        if (asked || SettingChanged(setting, fileView_, now)) ShowSetting(setting, now);
    }
    fileView_ = std::move(now);
}

int Form1::Run() {
    const int exitCode = RunMessageLoop(hwnd(), accelerators_, watch_, [this] { Reload(false); });
    RethrowFailure();
    return exitCode;
}

void Form1::Show(int showCommand) {
    ::ShowWindow(hwnd(), showCommand);
    QUORVANE_STARTUP_PHASE("show: the window is mapped");
    ::UpdateWindow(hwnd());
}

void Form1::Launch_Click() { LaunchPath(paths_.SPExePath); }

void Form1::LaunchMP_Click() { LaunchPath(paths_.MPExePath); }

void Form1::LaunchPath(const std::wstring& path) {
    if (!StartProgram(path)) messages_.Show(CannotStartText(path));
}

void Form1::About_Click() { messages_.Show(AboutText(paths_.AppVersion)); }

// Destroying the window ends the message loop (see OnDestroy).
void Form1::exit_Click() { ::DestroyWindow(hwnd()); }

void Form1::Draw(HDC dc) const {
    // The picture is larger than the client area at every density.
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    if (background_ && source) {
        const SIZE picture = BitmapSize(background_.get());
        SelectScope selected(source.get(), background_.get());
        ::BitBlt(dc, 0, 0, picture.cx, picture.cy, source.get(), 0, 0, SRCCOPY);
        return;
    }
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    ::FillRect(dc, &client, backBrush_.get());
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Form1*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    // Another program can send any message; these only ever come once, in this order, from Windows.
    if (message == WM_NCCREATE) {
        if (self || !creating_) return FALSE;
        self = std::exchange(creating_, nullptr);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(window);
    } else if (self && message == WM_DESTROY) {
        self->destroying_ = true;
    } else if (self && ((message == WM_CREATE && self->created_) || (message == WM_NCDESTROY && !self->destroying_))) {
        return 0;
    }
    // After a failure the window only goes; WM_NCDESTROY still lets its owner know.
    if (!self || (self->failure_ && message != WM_NCDESTROY)) return ::DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        // No exception may unwind through the system's code that called us. The
        // message loop ends and the program reports it; a window still being created
        // fails its creation instead.
        self->failure_ = std::current_exception();
        if (self->created_) ::PostQuitMessage(1);
        return message == WM_CREATE ? -1 : ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return result;
}

LRESULT Form1::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT:
            Draw(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_COMMAND:
            // Menu items and F5 only: controls send their notifications with their own
            // handle. While one of the program's boxes is up only another program can
            // deliver a command, even to a window it enabled: a box in a box is never asked for.
            if (lParam == 0 && !busy_) {
                busy_ = true;
                OnCommand(LOWORD(wParam));
                busy_ = false;
            }
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam));
            break;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_NCDESTROY:
            OnNcDestroy();
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1::OnCreate() {
    QUORVANE_STARTUP_PHASE("window class, icon, menu, frame");
    backBrush_.reset(::CreateSolidBrush(kForm1BackColor));
    if (!backBrush_ || !LayOut(WindowDpi(hwnd()))) return -1;
    focus_ = Control(ControlId::Check1);
    accessibleNames_.Watch(hwnd());
    QUORVANE_STARTUP_PHASE("accessible names");
    created_ = true;
    return 0;
}

// The one place the window is laid out from the layout table, when it is created and
// whenever its display's density changes: the fonts, every control's place and size
// (the controls are made the first time), the picture and the client area. What the
// controls hold, the focus and the tab order stay as they are.
bool Form1::LayOut(int dpi) {
    UniqueHfont labelFont = CreateLabelFont(dpi);
    UniqueHfont controlFont = CreateControlFont(dpi);
    if (!labelFont || !controlFont) return false;
    QUORVANE_STARTUP_PHASE("fonts");

    for (const ControlSpec& entry : kForm1Layout) {
        const TwipRect& twips = entry.twips;
        const int left = TwipsToPixels(twips.left, dpi), top = TwipsToPixels(twips.top, dpi);
        const RECT at{left, top, left + TwipsToPixels(twips.width, dpi), top + TwipsToPixels(twips.height, dpi)};
        HWND control = Control(entry.id);
        if (control) {
            ::SetWindowPos(control, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        } else if ((control = CreateControl(hwnd(), instance_, entry, at)) == nullptr) {
            return false;
        }
        HFONT font = entry.kind == ControlKind::Label ? labelFont.get() : controlFont.get();
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (entry.kind == ControlKind::TextBox) {
            // The boxes are narrow for their values ("1920x1080" in 59 pixels at 96 dpi):
            // the text gets the room the margins would take. A new font brings them back.
            ::SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        }
    }
    // The fonts the controls used before go now that none uses them.
    labelFont_ = std::move(labelFont);
    controlFont_ = std::move(controlFont);
    QUORVANE_STARTUP_PHASE("45 controls");

    // Without its picture the window is still usable, on black.
    if (decoding_.valid()) background_ = decoding_.get();
    if (pictureDpi_ != dpi) {
        ComApartment com;  // the decoder is a COM object
        background_ = DecodeJpegResource(instance_, IDR_BACKGROUND, dpi);
        pictureDpi_ = dpi;
    }
    QUORVANE_STARTUP_PHASE("picture");
    dpi_ = dpi;
    SizeClientArea();
    return true;
}

// Sizes the window so that its client area is the design's at the window's density,
// keeping its top left corner. The frame is measured as it is on the window's display.
void Form1::SizeClientArea() {
    RECT frame{};
    RECT client{};
    ::GetWindowRect(hwnd(), &frame);
    ::GetClientRect(hwnd(), &client);
    const int width = TwipsToPixels(kClientWidthTwips, dpi_);
    const int height = TwipsToPixels(kClientHeightTwips, dpi_);
    if (client.right == width && client.bottom == height) return;
    ::SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left - client.right + width,
                   frame.bottom - frame.top - client.bottom + height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window's display has another density: Windows says which, and where the window
// should go there. A density no display has is ignored.
void Form1::OnDpiChanged(int dpi, const RECT* suggested) {
    if (dpi < kMinDpi || dpi > kMaxDpi) return;
    if (suggested) {
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Fonts that cannot be made leave the window as it was laid out.
    if (LayOut(dpi)) ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form1::OnPaint() {
    PAINTSTRUCT paint{};
    Draw(::BeginPaint(hwnd(), &paint));  // which throws nothing
    ::EndPaint(hwnd(), &paint);
}

HBRUSH Form1::OnCtlColor(HDC dc, HWND control) {
    // The ids tell the kind: labels from Label1 on, check boxes from Check1 to Text1.
    const int id = ::GetDlgCtrlID(control);
    if (id >= ToInt(ControlId::Label1)) {
        ::SetTextColor(dc, kLabelForeColor);
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    if (id < ToInt(ControlId::Check1) || id >= ToInt(ControlId::Text1)) return nullptr;
    ::SetBkColor(dc, kForm1BackColor);
    return backBrush_.get();
}

void Form1::OnCommand(int command) {
    switch (command) {
        case IDM_LAUNCH:
            Launch_Click();
            break;
        case IDM_LAUNCHMP:
            LaunchMP_Click();
            break;
        case IDM_ABOUT:
            About_Click();
            break;
        case IDM_EXIT:
            exit_Click();
            break;
        case IDM_RELOAD:
            Reload(true);
            break;
        default:  // "Save Settings" does nothing
            break;
    }
}

void Form1::OnActivate(WORD state) {
    if (state != WA_INACTIVE) return;
    HWND focused = ::GetFocus();
    if (focused && ::IsChild(hwnd(), focused)) focus_ = focused;
}

void Form1::OnSetFocus() {
    if (focus_ && ::IsWindow(focus_)) ::SetFocus(focus_);
}

void Form1::OnDestroy() {
    accessibleNames_.Clear();
    // The window is the program: closing it, by Exit or the close box, ends the run.
    // A window that failed to be created leaves that to its creator.
    if (created_) ::PostQuitMessage(0);
}

// The window is gone: its owner lets go of the handle without destroying it again.
void Form1::OnNcDestroy() {
    (void)window_.release();
    focus_ = nullptr;
}

}  // namespace quorvane
