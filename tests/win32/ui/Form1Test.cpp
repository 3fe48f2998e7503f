// Form1 as built from its layout table: geometry, controls, look, menu, focus order,
// accessible names, and the values a loaded record puts into it.
#include "tests/win32/ui/UiTestSupport.h"

#include "config/LoadSequence.h"
#include "registry/General.h"
#include "ui/Background.h"
#include "ui/ComPtr.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace quorvane::testing {
namespace {

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

std::string Describe(const RECT& r) {
    std::ostringstream out;
    out << "(" << r.left << ", " << r.top << ") - (" << r.right << ", " << r.bottom << ") [" << r.right - r.left
        << " x " << r.bottom - r.top << "]";
    return out.str();
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring NameOf(HWND control) {
    const ControlSpec* entry = FindControl(static_cast<ControlId>(::GetDlgCtrlID(control)));
    return entry ? std::wstring(entry->name) : L"(not in the table: " + ClassName(control) + L")";
}

TEST(TwipsToPixels, RoundsToTheNearestPixelAtTheDisplaysDensity) {
    struct Case {
        int twips;
        int dpi;
        int pixels;
    };
    const Case cases[] = {
        {0, 96, 0},     {7, 96, 0},       {8, 96, 1},      {15, 96, 1},     {22, 96, 1},
        {23, 96, 2},    {175, 96, 12},    {255, 96, 17},   {285, 96, 19},   {885, 96, 59},
        {6555, 96, 437}, {4215, 96, 281}, {90, 120, 8},    {120, 120, 10},  {175, 144, 18},
        {6555, 144, 656}, {1440, 192, 192}, {-15, 96, -1}, {-7, 96, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi << " dpi";
    }
}

TEST(Form1Layout, HoldsTheControlsWhereTheWindowPlacesThem) {
    // A few entries checked by hand against the window's design, so a slip in the
    // table shows here and not only on screen.
    struct Expected {
        ControlId id;
        std::wstring_view caption;
        TwipRect twips;
        int tab;
    };
    const Expected expected[] = {
        {ControlId::Command1, L"Config", {240, 240, 975, 375}, 0},
        {ControlId::Check1, L"Check1", {5280, 2040, 175, 255}, 1},
        {ControlId::Check12, L"Check1", {5280, 3480, 175, 255}, 41},
        {ControlId::Text3, L"0", {2160, 600, 885, 285}, 13},
        {ControlId::Text10, L"0", {5280, 3840, 615, 285}, 43},
        {ControlId::Label17, L"Anistropic Filtering", {240, 2520, 1800, 120}, 34},
        {ControlId::Label22, L"Rate", {3840, 3960, 360, 120}, 44},
        {ControlId::Label20, L"config_mp.cfg", {3720, 240, 1170, 120}, 40},
    };
    for (const Expected& e : expected) {
        const ControlSpec* entry = FindControl(e.id);
        ASSERT_NE(entry, nullptr);
        SCOPED_TRACE(Narrow(entry->name));
        EXPECT_EQ(entry->caption, e.caption);
        EXPECT_EQ(entry->twips.left, e.twips.left);
        EXPECT_EQ(entry->twips.top, e.twips.top);
        EXPECT_EQ(entry->twips.width, e.twips.width);
        EXPECT_EQ(entry->twips.height, e.twips.height);
        EXPECT_EQ(entry->tabIndex, e.tab);
    }
    EXPECT_EQ(kForm1Layout.size(), 45u);
}

class Form1Test : public FormTest {};

TEST_F(Form1Test, ClientAreaAndFrameFollowTheDisplaysDensity) {
    RECT client{};
    ASSERT_TRUE(::GetClientRect(Window(), &client));
    EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, form->dpiX()));
    EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, form->dpiY()));
    if (form->dpiX() == 96 && form->dpiY() == 96) {
        EXPECT_EQ(client.right, 437);
        EXPECT_EQ(client.bottom, 281);
    }

    const LONG style = ::GetWindowLongW(Window(), GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(Window(), GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the border cannot be dragged";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_VISIBLE) << "created hidden";

    RECT expected = client;
    ASSERT_TRUE(::AdjustWindowRectEx(&expected, static_cast<DWORD>(style), TRUE, static_cast<DWORD>(exStyle)));
    RECT outer{};
    ASSERT_TRUE(::GetWindowRect(Window(), &outer));
    EXPECT_EQ(outer.right - outer.left, expected.right - expected.left)
        << "window " << Describe(outer) << ", client plus frame and menu " << Describe(expected);
    EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top)
        << "window " << Describe(outer) << ", client plus frame and menu " << Describe(expected);

    EXPECT_EQ(WindowText(Window()), L"Form1");
    EXPECT_NE(::GetClassLongPtrW(Window(), GCLP_HICON), 0) << "the program's icon";
    EXPECT_NE(::GetClassLongPtrW(Window(), GCLP_HICONSM), 0);
}

TEST_F(Form1Test, EveryControlStandsWhereTheTableSays) {
    int children = 0;
    for (HWND child = ::GetWindow(Window(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(kForm1Layout.size()));

    for (const ControlSpec& entry : kForm1Layout) {
        SCOPED_TRACE(Narrow(entry.name));
        HWND control = Control(entry.id);
        ASSERT_NE(control, nullptr);
        const int left = TwipsToPixels(entry.twips.left, form->dpiX());
        const int top = TwipsToPixels(entry.twips.top, form->dpiY());
        const RECT expected{left, top, left + TwipsToPixels(entry.twips.width, form->dpiX()),
                            top + TwipsToPixels(entry.twips.height, form->dpiY())};
        const RECT actual = ChildRect(Window(), control);
        EXPECT_TRUE(SameRect(actual, expected)) << "window " << Describe(actual) << ", table " << Describe(expected);
    }
}

TEST_F(Form1Test, ControlsStartAsLaidOut) {
    for (const ControlSpec& entry : kForm1Layout) {
        SCOPED_TRACE(Narrow(entry.name));
        HWND control = Control(entry.id);
        ASSERT_NE(control, nullptr);
        const LONG style = ::GetWindowLongW(control, GWL_STYLE);
        const std::wstring text = WindowText(control);
        switch (entry.kind) {
            case ControlKind::Label:
                EXPECT_EQ(ClassName(control), L"Static");
                EXPECT_EQ(text, entry.caption);
                EXPECT_TRUE(style & WS_VISIBLE);
                EXPECT_FALSE(style & WS_TABSTOP) << "labels never take the focus";
                EXPECT_EQ(::SendMessageW(control, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(form->labelFont()));
                break;
            case ControlKind::CheckBox:
                EXPECT_EQ(ClassName(control), L"Button");
                EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
                EXPECT_EQ(text, L"Check1");
                EXPECT_TRUE(style & WS_VISIBLE);
                EXPECT_TRUE(style & WS_TABSTOP);
                EXPECT_EQ(::SendMessageW(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
                break;
            case ControlKind::TextBox:
                EXPECT_EQ(ClassName(control), L"Edit");
                EXPECT_EQ(text, L"0");
                EXPECT_TRUE(style & WS_VISIBLE);
                EXPECT_TRUE(style & WS_TABSTOP);
                EXPECT_FALSE(style & ES_MULTILINE);
                EXPECT_FALSE(style & ES_READONLY);
                EXPECT_TRUE(::GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
                EXPECT_GE(::SendMessageW(control, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << "no length limit";
                break;
            case ControlKind::CommandButton:
                EXPECT_EQ(ClassName(control), L"Button");
                EXPECT_EQ(text, L"Config");
                EXPECT_FALSE(style & WS_VISIBLE) << "the Config button stays hidden";
                break;
        }
    }
}

TEST_F(Form1Test, MenuBarHoldsFileAndAbout) {
    HMENU bar = ::GetMenu(Window());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(::GetMenuItemCount(bar), 2);

    auto caption = [](HMENU menu, int position) {
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
        return std::wstring(text);
    };
    auto state = [](HMENU menu, int position) {
        return ::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    };

    EXPECT_EQ(caption(bar, 0), L"File");
    HMENU file = ::GetSubMenu(bar, 0);
    ASSERT_NE(file, nullptr) << "File opens a pull-down";
    const std::vector<std::wstring> items = {L"Launch BlackOps.exe", L"Launch BlackOpsMP.exe", L"Save Settings",
                                             L"Exit"};
    ASSERT_EQ(::GetMenuItemCount(file), static_cast<int>(items.size()));
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        SCOPED_TRACE(Narrow(items[static_cast<std::size_t>(i)]));
        EXPECT_EQ(caption(file, i), items[static_cast<std::size_t>(i)]);
        EXPECT_EQ(state(file, i) & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP), 0u);
        EXPECT_NE(::GetMenuItemID(file, i), static_cast<UINT>(-1));
    }

    EXPECT_EQ(caption(bar, 1), L"About");
    EXPECT_EQ(::GetSubMenu(bar, 1), nullptr) << "About is a command on the bar itself";
    EXPECT_EQ(state(bar, 1) & (MF_GRAYED | MF_DISABLED), 0u);

    // Each command has its own id, and none is taken by the keyboard's Enter or Esc.
    std::map<UINT, int> ids;
    for (int i = 0; i < 4; ++i) ++ids[::GetMenuItemID(file, i)];
    ++ids[::GetMenuItemID(bar, 1)];
    EXPECT_EQ(ids.size(), 5u);
    EXPECT_EQ(ids.count(IDOK) + ids.count(IDCANCEL), 0u);
}

TEST_F(Form1Test, TabGoesRoundTheControlsInTheirOrderFromCheck1) {
    const std::vector<std::wstring> order = {
        L"Check1", L"Check2", L"Check3", L"Check4", L"Text1",  L"Text2",   L"Text3",   L"Text4",
        L"Check5", L"Text5",  L"Text6",  L"Check6", L"Check7", L"Check8",  L"Text7",   L"Check9",
        L"Text8",  L"Text9",  L"Check10", L"Check11", L"Check12", L"Text10"};

    form->Show(SW_SHOWNORMAL);
    PumpMessages();
    EXPECT_EQ(NameOf(::GetFocus()), L"Check1") << "first focus";

    HWND first = ::GetNextDlgTabItem(Window(), nullptr, FALSE);
    ASSERT_NE(first, nullptr);
    std::vector<std::wstring> forward{NameOf(first)};
    for (HWND at = ::GetNextDlgTabItem(Window(), first, FALSE); at && at != first && forward.size() < 60;
         at = ::GetNextDlgTabItem(Window(), at, FALSE)) {
        forward.push_back(NameOf(at));
    }
    EXPECT_EQ(forward, order);

    // Shift+Tab walks the same ring backwards.
    std::vector<std::wstring> backward{NameOf(first)};
    for (HWND at = ::GetNextDlgTabItem(Window(), first, TRUE); at && at != first && backward.size() < 60;
         at = ::GetNextDlgTabItem(Window(), at, TRUE)) {
        backward.push_back(NameOf(at));
    }
    std::vector<std::wstring> reversed{order.front()};
    reversed.insert(reversed.end(), order.rbegin(), order.rend() - 1);
    EXPECT_EQ(backward, reversed);
}

TEST_F(Form1Test, TabKeyMovesTheFocusThroughTheMessageLoop) {
    form->Show(SW_SHOWNORMAL);
    PumpMessages();
    ASSERT_EQ(NameOf(::GetFocus()), L"Check1");

    // What IsDialogMessage does with a Tab key press that reaches the loop.
    MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(::IsDialogMessageW(Window(), &tab));
    EXPECT_EQ(NameOf(::GetFocus()), L"Check2");
}

TEST_F(Form1Test, EveryCheckBoxAndTextBoxIsNamedByTheLabelBeforeIt) {
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.kind != ControlKind::CheckBox && entry.kind != ControlKind::TextBox) continue;
        SCOPED_TRACE(Narrow(entry.name));
        const ControlSpec* label = FindLabelFor(entry.id);
        ASSERT_NE(label, nullptr);
        HWND before = ::GetWindow(Control(entry.id), GW_HWNDPREV);
        ASSERT_NE(before, nullptr);
        EXPECT_EQ(::GetDlgCtrlID(before), ToInt(label->id));
        EXPECT_EQ(ClassName(before), L"Static");
        EXPECT_EQ(WindowText(before), label->caption);
    }
}

std::wstring AccessibleName(HWND control) {
    ComPtr<IAccessible> accessible;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                            accessible.put_void()))) {
        return L"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (FAILED(accessible->get_accName(self, &name)) || !name) return L"(no name)";
    std::wstring text(name, ::SysStringLen(name));
    ::SysFreeString(name);
    return text;
}

TEST_F(Form1Test, ScreenReadersNameTextBoxesByTheirLabels) {
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.kind != ControlKind::TextBox) continue;
        SCOPED_TRACE(Narrow(entry.name));
        EXPECT_EQ(AccessibleName(Control(entry.id)), FindLabelFor(entry.id)->caption);
    }
}

TEST_F(Form1Test, ScreenReadersNameCheckBoxesByTheirLabels) {
    // Check boxes carry their names as annotations, where the system keeps them.
    ComPtr<IAccPropServices> annotations;
    ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IAccPropServices, annotations.put_void())));
    HWND probe = Control(ControlId::Command1);
    const HRESULT supported = annotations->SetHwndPropStr(probe, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                          PROPID_ACC_DESCRIPTION, L"probe");
    if (supported == E_NOTIMPL) GTEST_SKIP() << "this system does not keep accessibility annotations";
    MSAAPROPID description = PROPID_ACC_DESCRIPTION;
    annotations->ClearHwndProps(probe, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &description, 1);

    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.kind != ControlKind::CheckBox) continue;
        SCOPED_TRACE(Narrow(entry.name));
        EXPECT_EQ(AccessibleName(Control(entry.id)), FindLabelFor(entry.id)->caption);
    }
}

TEST_F(Form1Test, LabelsAreGreenOnThePictureAndCheckBoxesBlack) {
    WindowDc screen(nullptr);
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    ASSERT_TRUE(dc);

    ::SetTextColor(dc.get(), RGB(1, 2, 3));
    ::SetBkMode(dc.get(), OPAQUE);
    const LRESULT labelBrush = ::SendMessageW(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                              reinterpret_cast<LPARAM>(Control(ControlId::Label13)));
    EXPECT_EQ(::GetTextColor(dc.get()), RGB(0, 255, 0));
    EXPECT_EQ(::GetBkMode(dc.get()), TRANSPARENT);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(labelBrush), ::GetStockObject(NULL_BRUSH)) << "nothing painted behind";

    for (ControlId box : {ControlId::Check1, ControlId::Check10}) {
        const LRESULT boxBrush = ::SendMessageW(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                                reinterpret_cast<LPARAM>(Control(box)));
        LOGBRUSH brush{};
        ASSERT_EQ(::GetObjectW(reinterpret_cast<HBRUSH>(boxBrush), sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
        EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(brush.lbColor, RGB(0, 0, 0));
    }
}

TEST_F(Form1Test, LabelFontIsFixedPitchBoldInTheLabelCell) {
    WindowDc screen(nullptr);
    SelectScope selected(screen.get(), form->labelFont());
    TEXTMETRICW metrics{};
    ASSERT_TRUE(::GetTextMetricsW(screen.get(), &metrics));
    EXPECT_GE(metrics.tmWeight, FW_BOLD);
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "set means variable pitch";
    const int cellWidth = TwipsToPixels(kLabelCellWidthTwips, form->dpiX());
    const int cellHeight = TwipsToPixels(kLabelCellHeightTwips, form->dpiY());
    EXPECT_EQ(metrics.tmHeight, cellHeight);
    EXPECT_EQ(metrics.tmAveCharWidth, cellWidth);

    // Every caption fits the label the table gives it.
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.kind != ControlKind::Label) continue;
        SCOPED_TRACE(Narrow(entry.name));
        SIZE extent{};
        ASSERT_TRUE(::GetTextExtentPoint32W(screen.get(), entry.caption.data(), static_cast<int>(entry.caption.size()),
                                            &extent));
        EXPECT_EQ(extent.cx, cellWidth * static_cast<int>(entry.caption.size()) + metrics.tmOverhang);
        EXPECT_EQ(extent.cy, cellHeight);
    }
}

TEST_F(Form1Test, PaintingCopiesThePictureUnscaledToTheTopLeftCorner) {
    HBITMAP picture = form->background();
    ASSERT_NE(picture, nullptr) << "the background picture was not decoded";
    const SIZE size = BitmapSize(picture);
    EXPECT_EQ(size.cx, 549);
    EXPECT_EQ(size.cy, 580);
    DIBSECTION dib{};
    ASSERT_EQ(::GetObjectW(picture, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    ASSERT_NE(dib.dsBm.bmBits, nullptr);
    ASSERT_EQ(dib.dsBm.bmBitsPixel, 32);
    const auto* bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
    auto pictureAt = [&](int x, int y) {
        const unsigned char* p = bits + static_cast<std::ptrdiff_t>(y) * dib.dsBm.bmWidthBytes + x * 4;
        return RGB(p[2], p[1], p[0]);
    };

    RECT client{};
    ::GetClientRect(Window(), &client);
    WindowDc screen(nullptr);
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    UniqueHbitmap canvas(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    ASSERT_TRUE(dc && canvas);
    SelectScope selected(dc.get(), canvas.get());
    ::SendMessageW(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);

    int differentFromBlack = 0;
    for (int y = 0; y < client.bottom; y += 7) {
        for (int x = 0; x < client.right; x += 11) {
            const COLORREF expected = x < size.cx && y < size.cy ? pictureAt(x, y) : RGB(0, 0, 0);
            const COLORREF painted = ::GetPixel(dc.get(), x, y);
            ASSERT_EQ(painted, expected) << "at (" << x << ", " << y << ")";
            if (expected != RGB(0, 0, 0)) ++differentFromBlack;
        }
    }
    EXPECT_GT(differentFromBlack, 100) << "the picture shows, not a black window";
}

TEST_F(Form1Test, LoadSequenceFillsEachSettingBesideItsLabel) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::filesystem::path install = std::filesystem::path(temp) / L"Quorvane Window Test";
    std::filesystem::remove_all(install);
    std::filesystem::create_directories(install / L"players");
    {
        std::ofstream config(install / L"players" / L"config.cfg", std::ios::binary);
        config << "// generated by the game\n"
                  "bind TAB \"+scores\"\n"
                  "seta cg_brass \"1\"\n"
                  "seta cg_drawFPS \"Simple\"\n"
                  "seta com_maxfps \"85\"\n"
                  "seta r_aaSamples \"4\"\n"
                  "seta r_mode \"1920x1080\"\n"
                  "seta r_vsync \"1\"\n"
                  "seta ragdoll_max_simulating \"16\"\n"
                  "seta rate \"25000\"\n"
                  "seta r_motionblur_enable \"1\"\n";
        for (int i = 0; i < 560; ++i) config << "seta zz_filler" << i << " \"0\"\n";
    }

    FakeRegistry registry;
    const std::string folder = install.string();
    const std::string key = "SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";
    registry.SetString(0x80000002, key, "InstallPath", folder);
    registry.SetString(0x80000002, key, "SPExePath", folder + "\\BlackOps.exe");
    registry.SetString(0x80000002, key, "MPExePath", folder + "\\BlackOpsMP.exe");
    General general(registry, messages);
    form->Form_Load(general);
    std::filesystem::remove_all(install);

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(WindowText(Window()), L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)");
    EXPECT_EQ(form->paths().SPExePath, install.wstring() + L"\\BlackOps.exe");
    EXPECT_EQ(form->paths().MPExePath, install.wstring() + L"\\BlackOpsMP.exe");

    // What each label's control shows, found through the label as a screen reader would.
    const std::map<std::wstring, std::wstring> shown = {
        {L"config.cfg", L"checked"}, {L"config_mp.cfg", L"checked"}, {L"Shell Ejection", L"checked"},
        {L"FPS Counter", L"checked"}, {L"VSync", L"checked"},         {L"Motion Blur", L"checked"},
        {L"Crosshair", L"clear"},     {L"Subtitles", L"clear"},       {L"Fullscreen", L"clear"},
        {L"Specular Map", L"clear"},  {L"Shader Warming", L"clear"},  {L"Ragdoll Physics", L"clear"},
        {L"FPS Limit", L"85"},        {L"Anti Aliasing", L"4"},       {L"Resolution", L"1920x1080"},
        {L"Ragdoll Corpses", L"16"},  {L"Rate", L"25000"},            {L"Aspect Ratio", L"0"},
        {L"Gamma", L"0"},             {L"Refresh Rate", L"0"},        {L"Anistropic Filtering", L"0"},
        {L"Sensitivity", L"0"},
    };
    int seen = 0;
    for (HWND child = ::GetWindow(Window(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != L"Static") continue;
        HWND control = ::GetWindow(child, GW_HWNDNEXT);
        ASSERT_NE(control, nullptr);
        const std::wstring label = WindowText(child);
        SCOPED_TRACE(Narrow(label));
        const auto expected = shown.find(label);
        ASSERT_NE(expected, shown.end());
        ++seen;
        if (ClassName(control) == L"Button") {
            const bool on = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
            EXPECT_EQ(on ? L"checked" : L"clear", expected->second);
        } else {
            EXPECT_EQ(WindowText(control), expected->second);
        }
    }
    EXPECT_EQ(seen, 22);
}

}  // namespace
}  // namespace quorvane::testing
