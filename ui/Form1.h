#pragma once
// Form1, the program's only window: built hidden from the layout table, filled by the
// load sequence, then shown. Its menu commands run on the window's thread.

#include "config/LoadSequence.h"
#include "ui/AccessibleNames.h"
#include "registry/General.h"
#include "common/MessageBoxApi.h"
#include "ui/ConfigWatch.h"
#include "ui/Dpi.h"
#include "ui/ForgedMessageFilter.h"
#include "ui/Layout.h"
#include "ui/UniqueHandle.h"

#include <windows.h>

#include <exception>
#include <future>

namespace quorvane {

inline constexpr wchar_t kForm1ClassName[] = L"QuorvaneForm1";
inline constexpr COLORREF kForm1BackColor = RGB(0, 0, 0);
inline constexpr COLORREF kLabelForeColor = RGB(0, 255, 0);
// A text box shows at most this many characters of its value, the first ones.
inline constexpr std::size_t kMaxShownValueLength = 4096;

class Form1 {
public:
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

    // Message boxes (About, a failed start, the load sequence's) go through `messages`;
    // the check boxes' names through the annotation service `annotations` gives.
    explicit Form1(MessageBoxApi& messages, AccessibleNames::ServiceSource annotations = AccessibleNames::FromCom)
        : messages_(messages), accessibleNames_(annotations) {}
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Creates the window hidden, titled "Form1", with every control in its initial
    // state, laid out for the density of the display it is on. `instance` holds the
    // icon, the menu and the background picture, which is decoded on a thread of its
    // own while the window and its controls are made. What needs COM (the picture, the
    // accessible names) sets it up for itself when it is needed.
    bool Create(HINSTANCE instance);

    // The load sequence: title, install paths, config.cfg and its settings. From then on
    // the window follows config.cfg (see Reload), if the game was found.
    void Form_Load(General& registry);
    // Puts a loaded record into the window and keeps the paths for the commands.
    void Fill(const LoadedForm& loaded);
    // Shows the window; the focus goes to Check1.
    void Show(int showCommand);
    // The message loop, until the window is closed; returns the program's exit code.
    int Run();
    // Reads config.cfg again, as a change to it asks: a control whose setting the file now
    // gives another value shows the new one, the others keep what they show. F5 (`asked`)
    // shows every setting anew. A file that cannot be read leaves the window as it is, is
    // tried again later, and is said only when the user asked.
    void Reload(bool asked);

    // The menu commands.
    void Launch_Click();
    void LaunchMP_Click();
    void About_Click();
    void exit_Click();

    // Paints the client area into any device context: the picture at the top-left
    // corner (at its natural size at 96 dpi, scaled with the window above it), which
    // covers it; black without a picture.
    void Draw(HDC dc) const;

    // What went wrong in a message handler, if anything did: the failure ends the
    // message loop instead of crossing the window procedure.
    void RethrowFailure() const {
        if (failure_) std::rethrow_exception(failure_);
    }

    HWND hwnd() const { return window_.get(); }
    HWND Control(ControlId id) const { return ::GetDlgItem(window_.get(), ToInt(id)); }
    int dpi() const { return dpi_; }
    HBITMAP background() const { return background_.get(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT OnCreate();
    void OnPaint();
    HBRUSH OnCtlColor(HDC dc, HWND control);
    void OnCommand(int command);
    void OnActivate(WORD state);
    void OnSetFocus();
    void OnDpiChanged(int dpi, const RECT* suggested);
    void OnDestroy();
    void OnNcDestroy();

    bool LayOut(int dpi);
    void SizeClientArea();
    void LaunchPath(const std::wstring& path);
    void ShowSetting(const Setting& setting, const SettingsView& view);

    // The window Create is making, which the next WM_NCCREATE is for.
    static inline Form1* creating_ = nullptr;

    MessageBoxApi& messages_;
    ForgedMessageFilter forgedMessages_;
    HINSTANCE instance_ = nullptr;
    int dpi_ = kNaturalDpi;  // the density the window is laid out for
    int pictureDpi_ = 0;     // and the one background_ was decoded for
    InstallPaths paths_;
    SettingsView fileView_;  // the settings as config.cfg last gave them
    ConfigWatch watch_;
    HACCEL accelerators_ = nullptr;  // from the resources, which own it
    HWND focus_ = nullptr;  // the control that gets the focus back when the window does
    bool created_ = false;  // WM_CREATE succeeded
    bool destroying_ = false;  // WM_DESTROY came
    bool busy_ = false;  // loading, or running a command: one of the program's boxes may be up
    std::exception_ptr failure_;

    UniqueHfont labelFont_;
    UniqueHfont controlFont_;
    UniqueHbrush backBrush_;
    std::future<UniqueHbitmap> decoding_;  // the picture, from Create to WM_CREATE
    UniqueHbitmap background_;
    AccessibleNames accessibleNames_;
    // Set on WM_NCCREATE and let go on WM_NCDESTROY. The destructor destroys a window
    // still open before the font and the brush its controls use go.
    UniqueHwnd window_;
};

}  // namespace quorvane
