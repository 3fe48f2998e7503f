// Form1 as the user sees it: the design at 96 dpi, the tab order, each value beside its
// label, and the picture at two densities.
#include "tests/win32/ui/UiTestSupport.h"

#include "config/Settings.h"
#include "tests/support/TestConstants.h"
#include "ui/Background.h"
#include "ui/ComPtr.h"

#include <commctrl.h>

namespace quorvane::testing {

// The tests run with COM and the common controls set up, as the program does.
static const ComApartment com;
static const bool controls = [] {
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&classes);
}();

using enum ControlId;

static std::string NameOf(HWND control) {
    const ControlSpec* entry = FindControl(static_cast<ControlId>(::GetDlgCtrlID(control)));
    return entry ? Narrow(entry->name) : "(none)";
}

// What the control created after the label with this caption shows: a box "1" or "0".
static std::wstring ShownBeside(HWND window, std::wstring_view label) {
    HWND at = ::GetWindow(window, GW_CHILD);
    while (at && !(ClassName(at) == L"Static" && WindowText(at) == label)) at = ::GetWindow(at, GW_HWNDNEXT);
    if (at && ClassName(at = ::GetWindow(at, GW_HWNDNEXT)) == L"Button") {
        return ::SendMessageW(at, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0";
    }
    return at ? WindowText(at) : L"(no label)";
}

TEST_F(Form1Test, ControlsFrameAndLabelsAreAsDesignedAt96Dpi) {
    Make(96);
    const struct { ControlId id; RECT expected; } rows[] = {  // 15 twips a pixel
        {Label17, {16, 168, 136, 176}}, {Label20, {248, 16, 326, 24}},  // 1800x120 at 240,2520; 1170x120 at 3720,240
        {Check10, {216, 8, 228, 25}}, {Check1, {352, 136, 364, 153}},   // 175x255 at 3240,120 and at 5280,2040
        {Text3, {144, 40, 203, 59}}, {Text10, {352, 256, 393, 275}},    // 885x285 at 2160,600; 615x285 at 5280,3840
    };
    for (const auto& row : rows) {
        RECT r{};
        ::GetWindowRect(Control(row.id), &r);
        ::MapWindowPoints(HWND_DESKTOP, Window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(::EqualRect(&r, &row.expected)) << NameOf(Control(row.id)) << " at " << r.left << "," << r.top
                                                    << " " << r.right - r.left << "x" << r.bottom - r.top;
    }
    RECT client{};
    ::GetClientRect(Window(), &client);
    EXPECT_TRUE(client.right == 437 && client.bottom == 281) << client.right << "x" << client.bottom;
    EXPECT_EQ(::GetWindowLongW(Window(), GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

    WindowDc dc(nullptr);  // a label's font, colour and background
    SelectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(Control(Label13), WM_GETFONT, 0, 0)));
    TEXTMETRICW m{};  // bold, fixed pitch (the flag clear), a 6 x 8 cell
    ::GetTextMetricsW(dc.get(), &m);
    EXPECT_TRUE(m.tmWeight >= FW_BOLD && !(m.tmPitchAndFamily & TMPF_FIXED_PITCH) && m.tmAveCharWidth == 6 && m.tmHeight == 8)
        << m.tmWeight << " " << +m.tmPitchAndFamily << " " << m.tmAveCharWidth << "x" << m.tmHeight;
    ::SetBkMode(dc.get(), OPAQUE);
    ::SendMessageW(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(Control(Label13)));
    EXPECT_TRUE(::GetTextColor(dc.get()) == RGB(0, 255, 0) && ::GetBkMode(dc.get()) == TRANSPARENT);
}

TEST_F(Form1Test, TabGoesRoundFromCheck1AndNeverReachesTheHiddenButton) {
    const ControlId order[] = {Check1, Check2, Check3, Check4, Text1, Text2, Text3, Text4, Check5, Text5, Text6,
                               Check6, Check7, Check8, Text7, Check9, Text8, Text9, Check10, Check11, Check12, Text10};
    form->Show(SW_SHOWNORMAL);
    EXPECT_EQ(NameOf(::GetFocus()), "Check1") << "first focus";
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_TAB, 0);  // through the program's own loop
    ::PostQuitMessage(0);
    RunLoopWithDeadline(Window());
    EXPECT_EQ(NameOf(::GetFocus()), "Check2") << "after a Tab key press";
    for (std::size_t i = 0; i < std::size(order); ++i) {
        EXPECT_EQ(NameOf(::GetNextDlgTabItem(Window(), Control(order[i]), FALSE)),
                  NameOf(Control(order[(i + 1) % std::size(order)]))) << "after " << NameOf(Control(order[i]));
    }
    EXPECT_FALSE(::IsWindowVisible(Control(Command1))) << "the Config button";
}

TEST_F(Form1Test, EachSettingShowsBesideItsLabel) {
    const struct { std::wstring_view name, label; } rows[] = {
        {L"cg_brass", L"Shell Ejection"}, {L"cg_drawCrosshair", L"Crosshair"}, {L"cg_drawFPS", L"FPS Counter"},
        {L"cg_subtitles", L"Subtitles"}, {L"com_maxfps", L"FPS Limit"}, {L"r_aaSamples", L"Anti Aliasing"},
        {L"r_mode", L"Resolution"}, {L"r_fullscreen", L"Fullscreen"}, {L"r_specular", L"Specular Map"},
        {L"r_vsync", L"VSync"}, {L"r_shaderWarming", L"Shader Warming"}, {L"r_aspectRatio", L"Aspect Ratio"},
        {L"r_gamma", L"Gamma"}, {L"r_displayRefresh", L"Refresh Rate"}, {L"r_texFilterAnisoMin", L"Anistropic Filtering"},
        {L"ragdoll_enable", L"Ragdoll Physics"}, {L"ragdoll_max_simulating", L"Ragdoll Corpses"},
        {L"sensitivity", L"Sensitivity"}, {L"rate", L"Rate"}, {L"r_motionblur_enable", L"Motion Blur"},
    };
    for (const auto& row : rows) {  // one setting at a time: a box ticked, a text box showing its name
        const auto* setting = std::find_if(kSettings.begin(), kSettings.end(), [&](auto& s) { return s.name == row.name; });
        ASSERT_NE(setting, kSettings.end()) << Narrow(row.name);
        LoadedForm loaded;
        loaded.view.Title = kTestWindowTitle;
        const bool box = setting->rule == Rule::Flag;
        if (box) loaded.view.Check[setting->control] = 1;
        else loaded.view.Text[setting->control] = row.name;
        form->Fill(loaded);
        EXPECT_EQ(ShownBeside(Window(), row.label), box ? L"1" : std::wstring(row.name)) << Narrow(row.name);
    }
    EXPECT_EQ(WindowText(Window()), kTestWindowTitle);
}

TEST_F(Form1Test, ThePictureCoversTheClientAreaFromTheTopLeftCorner) {
    for (const auto& [dpi, width, height] : {std::tuple{96, 549, 580}, {144, 824, 870}}) {  // smoothly x 1.5 at 144
        Make(dpi);
        const SIZE size = BitmapSize(form->background());
        EXPECT_TRUE(size.cx == width && size.cy == height) << dpi << " dpi: " << size.cx << "x" << size.cy;
        RECT client{};
        ::GetClientRect(Window(), &client);
        WindowDc screen(nullptr);
        UniqueHbitmap canvas(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
        UniqueMemoryDc painted(::CreateCompatibleDC(screen.get())), picture(::CreateCompatibleDC(screen.get()));
        SelectScope onCanvas(painted.get(), canvas.get());
        ::SendMessageW(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.get()), PRF_CLIENT);
        SelectScope onPicture(picture.get(), form->background());  // once the window has drawn it
        for (const POINT p : {POINT{1, 1}, POINT{client.right / 2, client.bottom / 3}, POINT{client.right - 1, client.bottom - 1}}) {
            const COLORREF shown = ::GetPixel(painted.get(), p.x, p.y);
            EXPECT_TRUE(shown == ::GetPixel(picture.get(), p.x, p.y) && shown != RGB(0, 0, 0))
                << dpi << " dpi, " << p.x << "," << p.y << ": " << std::hex << shown;
        }
    }
}

}  // namespace quorvane::testing
