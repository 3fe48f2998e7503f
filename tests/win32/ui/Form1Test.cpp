// Form1 as the user sees and drives it: the design and the picture at 96 dpi and its tab
// order, the check boxes' accessible names, the window and its picture laid out again at
// another density, the menu, and which stored paths Launch starts.
#include "tests/data/RealisticSettings.h"
#include "tests/support/FakeRegistry.h"
#include "ui/Background.h"
#include "ui/Commands.h"
#include "ui/Form1.h"

#include <gtest/gtest.h>

#include <oleacc.h>


namespace quorvane::testing {

static const ComApartment com;  // as the program has it, for the picture
using enum ControlId;

// The menu as one line, "File{Launch BlackOps.exe|...}|About"; on the way, the item
// captioned `choose` is chosen as the user chooses it: WM_COMMAND with its id.
static std::wstring Menu(HWND window, HMENU menu, std::wstring_view choose = L"-") {
    std::wstring text;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t item[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), item, 64, MF_BYPOSITION);
        if (choose == item) ::SendMessageW(window, WM_COMMAND, ::GetMenuItemID(menu, i), 0);
        text += (i ? L"|" : L"") + std::wstring(item);
        if (HMENU popup = ::GetSubMenu(menu, i)) text += L"{" + Menu(window, popup, choose) + L"}";
    }
    return text;
}

// A Form1 for one test, on the test display at 96 dpi.
class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        for (MSG left{}; ::PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE);) {}  // a closed window's WM_QUIT
        form = std::make_unique<Form1>(messages);
        ASSERT_TRUE(form->Create(::GetModuleHandleW(nullptr))) << "error " << ::GetLastError();
    }
    // Windows' word that the window's display has another density, and where to go there.
    void ChangeDpi(int dpi, RECT suggested) const {
        ::SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    // The controls' corners in the client area, top left and bottom right, and the client's size.
    std::string Corners(std::initializer_list<ControlId> ids) const {
        std::ostringstream at;
        for (const ControlId id : ids) {
            RECT r{};
            ::GetWindowRect(form->Control(id), &r);
            ::MapWindowPoints(HWND_DESKTOP, form->hwnd(), reinterpret_cast<POINT*>(&r), 2);
            at << NameOf(form->Control(id)) << ' ' << r.left << ',' << r.top << ' ' << r.right << ',' << r.bottom << "; ";
        }
        RECT client{};
        ::GetClientRect(form->hwnd(), &client);
        return at.str() + "client " + std::to_string(client.right) + "x" + std::to_string(client.bottom);
    }
    // The measures of the font a control writes in.
    TEXTMETRICW FontOf(ControlId id) const {
        WindowDc dc(nullptr);
        SelectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(form->Control(id), WM_GETFONT, 0, 0)));
        TEXTMETRICW m{};
        ::GetTextMetricsW(dc.get(), &m);
        return m;
    }
    // The controls Tab goes through, from `first` round to it again.
    std::string TabRing(HWND first) const {
        std::string ring = NameOf(first);
        for (HWND to = first; (to = ::GetNextDlgTabItem(form->hwnd(), to, FALSE)) != first && ring.size() < 500;) {
            ring += " " + NameOf(to);
        }
        return ring;
    }
    static std::string NameOf(HWND control) {  // from the ids: Check<n> are 201 on, Text<n> 301 on, Label<n> 401 on
        const int id = ::GetDlgCtrlID(control);
        const char* kinds[] = {"(none)", "Command", "Check", "Text", "Label"};
        return kinds[id / 100 < 5 ? id / 100 : 0] + std::to_string(id % 100);
    }
    // The picture's size, and at three points whether the client area shows it there, from its top-left corner.
    std::string Picture() const {
        const SIZE size = BitmapSize(form->background());
        RECT client{};
        ::GetClientRect(form->hwnd(), &client);
        UniqueHbitmap canvas(::CreateBitmap(client.right, client.bottom, 1, 32, nullptr));
        UniqueMemoryDc painted(::CreateCompatibleDC(nullptr)), picture(::CreateCompatibleDC(nullptr));
        SelectScope onCanvas(painted.get(), canvas.get());
        ::SendMessageW(form->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.get()), PRF_CLIENT);
        SelectScope onPicture(picture.get(), form->background());  // once the window has drawn it
        std::string shown = std::to_string(size.cx) + "x" + std::to_string(size.cy);
        for (const POINT p : {POINT{1, 1}, {client.right / 2, client.bottom / 3}, {client.right - 1, client.bottom - 1}}) {
            const COLORREF at = ::GetPixel(painted.get(), p.x, p.y);
            shown += at == ::GetPixel(picture.get(), p.x, p.y) && at != RGB(0, 0, 0) ? " shown" : " not shown";
        }
        return shown;
    }

    RecordingMessages messages;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, At96DpiControlsLabelsFrameAndTabOrderAreAsDesigned) {
    ASSERT_EQ(form->dpi(), 96) << "the test display's density";
    // From the design's twips, 15 a pixel: "Anistropic Filtering" 1800x120 at 240,2520; "config_mp.cfg" on
    // the top row 1170x120 at 3720,240; check boxes 175x255 at 3240,120 (top row) and 5280,2040; text
    // boxes 885x285 at 2160,600 and, last in the right column, 615x285 at 5280,3840; the client 6555x4215.
    EXPECT_EQ(Corners({Label17, Label20, Check10, Check1, Text3, Text10}),
              "Label17 16,168 136,176; Label20 248,16 326,24; Check10 216,8 228,25; Check1 352,136 364,153; "
              "Text3 144,40 203,59; Text10 352,256 393,275; client 437x281");
    EXPECT_EQ(::GetWindowLongW(form->hwnd(), GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

    const TEXTMETRICW m = FontOf(Label13);  // a label's font: bold, fixed pitch (the flag clear), in a 6 x 8 cell
    EXPECT_TRUE(m.tmWeight >= FW_BOLD && !(m.tmPitchAndFamily & TMPF_FIXED_PITCH) && m.tmAveCharWidth == 6 &&
                m.tmHeight == 8) << m.tmWeight << ' ' << m.tmAveCharWidth << 'x' << m.tmHeight;

    form->Show(SW_SHOWNORMAL);  // Tab from the first focus round to it again
    EXPECT_EQ(TabRing(::GetFocus()), "Check1 Check2 Check3 Check4 Text1 Text2 Text3 Text4 Check5 Text5 Text6 Check6 Check7 Check8 Text7 "
                    "Check9 Text8 Text9 Check10 Check11 Check12 Text10");
    EXPECT_EQ(Picture(), "549x580 shown shown shown") << "the picture at its natural size";
}

// The annotation service as a check box's accessible name reaches it: which names are
// given, and which taken back.
struct FakeAnnotations : IAccPropServices {
    std::vector<std::pair<HWND, std::wstring>> given;
    std::vector<HWND> cleared;
    HRESULT WINAPI SetHwndPropStr(HWND box, DWORD object, DWORD child, MSAAPROPID property, LPCWSTR name) override {
        if (object == DWORD(OBJID_CLIENT) && child == CHILDID_SELF && property == PROPID_ACC_NAME) given.emplace_back(box, name);
        return S_OK;
    }
    HRESULT WINAPI ClearHwndProps(HWND box, DWORD, DWORD, const MSAAPROPID* properties, int count) override {
        if (count == 1 && properties[0] == PROPID_ACC_NAME) cleared.push_back(box);
        return S_OK;
    }
    // What the program does not use.
    HRESULT WINAPI QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG WINAPI AddRef() override { return 1; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }
} annotations;

// Nothing is named until a client first asks a check box for itself; then each of the
// twelve is named after the label before it, once; the names go with the window.
TEST_F(Form1Test, ACheckBoxIsNamedByItsLabelWhenAClientFirstAsks) {
    form = std::make_unique<Form1>(messages, [](IAccPropServices** service) {
        *service = &annotations;
        return S_OK;
    });
    ASSERT_TRUE(form->Create(::GetModuleHandleW(nullptr)));
    form->Show(SW_SHOWNORMAL);
    EXPECT_TRUE(annotations.given.empty()) << "named before anyone asked";
    std::vector<std::pair<HWND, std::wstring>> names;
    std::vector<HWND> boxes;
    for (int n = 1; n <= kCheckBoxCount; ++n) {
        names.emplace_back(form->Control(CheckBoxId(n)), kCheckLabels[n]);
        boxes.push_back(names.back().first);
    }
    for (const int n : {7, 1}) ::SendMessageW(form->Control(CheckBoxId(n)), WM_GETOBJECT, 0, OBJID_CLIENT);
    EXPECT_EQ(annotations.given, names);
    form.reset();
    EXPECT_EQ(annotations.cleared, boxes);
}

TEST_F(Form1Test, AtAnotherDensityTheWindowIsLaidOutAgainKeepingWhatItHolds) {
    form->Show(SW_SHOWNORMAL);
    ::SetWindowTextW(form->Control(Text3), L"2560x1440");  // as the user left it
    ::SendMessageW(form->Control(Check5), BM_SETCHECK, BST_CHECKED, 0);
    ::SetFocus(form->Control(Text9));
    const std::string at96 = Corners({Label17, Check10, Text3, Text10}), ring = TabRing(form->Control(Check1));
    RECT before{};
    ::GetWindowRect(form->hwnd(), &before);
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(form->Control(Label17), WM_GETFONT, 0, 0));
    const HGDIOBJ picture = form->background();
    const LONG valueHeight = FontOf(Text3).tmHeight;

    ChangeDpi(144, {30, 40, 730, 560});
    // 1.5 times the design at 96 dpi, each measure rounded, halves up: 1800x120 twips at 240,2520 is
    // 180x12 at 24,252; 175x255 at 3240,120 is 17.5x25.5 at 324,12; the client 655.5x421.5.
    EXPECT_EQ(Corners({Label17, Check10, Text3, Text10}), "Label17 24,252 204,264; Check10 324,12 342,38; "
              "Text3 216,60 305,89; Text10 528,384 590,413; client 656x422");
    RECT moved{};
    ::GetWindowRect(form->hwnd(), &moved);
    EXPECT_TRUE(moved.left == 30 && moved.top == 40) << "not where Windows said: " << moved.left << ',' << moved.top;
    const TEXTMETRICW m = FontOf(Label17);  // the labels' cell grows with the rest, 9 x 12, and so do the values
    EXPECT_TRUE(m.tmAveCharWidth == 9 && m.tmHeight == 12) << m.tmAveCharWidth << 'x' << m.tmHeight;
    EXPECT_GE(FontOf(Text3).tmHeight * 2, valueHeight * 3 - 2) << valueHeight;
    wchar_t text[16] = {};
    ::GetWindowTextW(form->Control(Text3), text, 16);
    EXPECT_STREQ(text, L"2560x1440");
    EXPECT_EQ(::SendMessageW(form->Control(Check5), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(NameOf(::GetFocus()), "Text9");
    EXPECT_EQ(TabRing(form->Control(Check1)), ring);
    EXPECT_TRUE(!::GetObjectType(font) && !::GetObjectType(picture)) << "the old font or picture was kept";
    EXPECT_EQ(Picture(), "824x870 shown shown shown") << "the picture smoothly 1.5 times as large";

    ChangeDpi(96, before);  // and back: as it was, whatever densities no display has come after
    ChangeDpi(0, {0, 0, 1, 1});
    ChangeDpi(65535, {0, 0, 1, 1});
    EXPECT_EQ(Corners({Label17, Check10, Text3, Text10}), at96);
    EXPECT_EQ(::GetWindow(::GetWindow(form->hwnd(), GW_CHILD), GW_HWNDLAST), form->Control(Text10)) << "controls made twice";
}

// What each item does, with the program, is checked end to end; a failure in a command
// ends it with code 1.
TEST_F(Form1Test, TheMenuAndAFailingCommand) {
    EXPECT_EQ(Menu(form->hwnd(), ::GetMenu(form->hwnd())),
              L"File{Launch BlackOps.exe|Launch BlackOpsMP.exe|Save Settings|Exit}|About");
    messages.fail = true;  // About's box throws
    Menu(form->hwnd(), ::GetMenu(form->hwnd()), L"About");
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 1);
    EXPECT_THROW(form->RethrowFailure(), std::runtime_error);
}

TEST(Launch, StartsOnlyAnAbsolutePathToAProgram) {
    // A stored path and the program it starts, if any.
    for (const auto& [stored, program] : {std::pair{L"C:\\G\\x.EXE", L"C:\\G\\x.EXE"}, {L"c:/G/x.exe", L"c:/G/x.exe"},
             {L"\\\\s\\G\\x.exe", L"\\\\s\\G\\x.exe"}, {L"\"C:\\G\\x.exe\"", L"C:\\G\\x.exe"},
             {L"C:\\G\\x.exe \t ", L"C:\\G\\x.exe"}, {L"\"C:\\G\\x.exe\"  ", L"C:\\G\\x.exe"}, {L"Error", L""},
             {L"x.exe", L""}, {L"\"x.exe\"", L""}, {L"C:x.exe", L""}, {L"\\x.exe", L""}, {L"C:\\G\\run.bat", L""},
             {L"C:\\G\\x.exe\\", L""}, {L"C:\\G\\x\".exe", L""}, {L"\"C:\\G\\x.exe", L""}, {L"\"\"", L""}}) {
        const std::wstring_view path = ProgramPathOf(stored);
        EXPECT_EQ(IsProgramPath(path) ? path : L"", program) << stored;
    }
}

}  // namespace quorvane::testing
