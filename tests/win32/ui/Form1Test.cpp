// Form1 as the user sees and drives it: the design at 96 dpi and its tab order, each value
// beside its label, the window laid out again at another density, the picture at two
// densities, the menu and its commands, the Launch items starting a stand-in program, and
// the program's real message box.
#include "config/Settings.h"
#include "tests/support/TestConstants.h"
#include "tests/win32/WineTestSupport.h"
#include "ui/Background.h"
#include "ui/Commands.h"
#include "ui/Form1.h"
#include "ui/MessageLoop.h"
#include "ui/Win32MessageBox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace quorvane::testing {

static const ComApartment com;  // as the program has it, for the picture
using enum ControlId;

static std::string Narrow(std::wstring_view text) { return {text.begin(), text.end()}; }

// The boxes shown; with `fail` set, showing one throws, as a failing handler would.
struct TestMessages final : MessageBoxApi {
    void Show(const std::wstring& text) override { fail ? throw std::runtime_error("no box") : shown.push_back(text); }
    std::vector<std::wstring> shown;
    bool fail = false;
};

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
    void SetUp() override { Make(); }
    void Make() {
        form.reset();
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
    // What the control created after the label with this caption shows: a box "1" or "0".
    std::wstring ShownBeside(const wchar_t* label) const {
        HWND at = ::GetWindow(::FindWindowExW(form->hwnd(), nullptr, L"Static", label), GW_HWNDNEXT);
        if (ClassName(at) == L"Button") return ::SendMessageW(at, BM_GETCHECK, 0, 0) ? L"1" : L"0";
        return at ? WindowText(at) : L"(no label)";
    }
    void Choose(std::wstring_view item) const { Menu(form->hwnd(), ::GetMenu(form->hwnd()), item); }

    TestMessages messages;
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
    std::ostringstream sizes;  // every check box and text box: 175x255 twips, text boxes as wide as designed
    for (int n = 1; n <= kCheckBoxCount + kTextBoxCount; ++n) {
        RECT r{};
        ::GetWindowRect(form->Control(n <= kCheckBoxCount ? CheckBoxId(n) : TextBoxId(n - kCheckBoxCount)), &r);
        sizes << r.right - r.left << 'x' << r.bottom - r.top << ' ';
    }
    EXPECT_EQ(sizes.str(), "12x17 12x17 12x17 12x17 12x17 12x17 12x17 12x17 12x17 12x17 12x17 12x17 "
                           "25x19 25x19 59x19 33x19 25x19 41x19 25x19 25x19 49x19 41x19 ");
    EXPECT_EQ(::GetWindowLongW(form->hwnd(), GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

    const TEXTMETRICW m = FontOf(Label13);  // a label's font: bold, fixed pitch (the flag clear), in a 6 x 8 cell
    EXPECT_TRUE(m.tmWeight >= FW_BOLD && !(m.tmPitchAndFamily & TMPF_FIXED_PITCH) && m.tmAveCharWidth == 6 &&
                m.tmHeight == 8) << m.tmWeight << ' ' << m.tmAveCharWidth << 'x' << m.tmHeight;

    form->Show(SW_SHOWNORMAL);  // Tab from the first focus round to it again
    EXPECT_EQ(TabRing(::GetFocus()), "Check1 Check2 Check3 Check4 Text1 Text2 Text3 Text4 Check5 Text5 Text6 Check6 Check7 Check8 Text7 "
                    "Check9 Text8 Text9 Check10 Check11 Check12 Text10");
    EXPECT_FALSE(::IsWindowVisible(form->Control(Command1))) << "the Config button";
}

TEST_F(Form1Test, EachSettingShowsBesideItsLabel) {
    const struct { std::wstring_view name; const wchar_t* label; } rows[] = {
        {L"r_texFilterAnisoMin", L"Anistropic Filtering"}, {L"ragdoll_max_simulating", L"Ragdoll Corpses"},
        {L"r_mode", L"Resolution"}, {L"r_shaderWarming", L"Shader Warming"}, {L"r_motionblur_enable", L"Motion Blur"},
        {L"com_maxfps", L"FPS Limit"}, {L"r_displayRefresh", L"Refresh Rate"}, {L"ragdoll_enable", L"Ragdoll Physics"},
        {L"cg_drawCrosshair", L"Crosshair"}, {L"r_aaSamples", L"Anti Aliasing"}, {L"r_aspectRatio", L"Aspect Ratio"},
        {L"cg_brass", L"Shell Ejection"}, {L"r_fullscreen", L"Fullscreen"}, {L"r_specular", L"Specular Map"},
        {L"cg_drawFPS", L"FPS Counter"}, {L"cg_subtitles", L"Subtitles"}, {L"sensitivity", L"Sensitivity"},
        {L"r_vsync", L"VSync"}, {L"r_gamma", L"Gamma"}, {L"rate", L"Rate"}};
    for (const auto& [name, label] : rows) {  // one at a time: its box ticked, or its text box showing its name
        const auto* setting = std::find_if(kSettings.begin(), kSettings.end(), [&](auto& s) { return s.name == name; });
        ASSERT_NE(setting, kSettings.end()) << Narrow(name);
        LoadedForm loaded;
        loaded.view.Title = kTestWindowTitle;
        if (setting->rule == Rule::Flag) loaded.view.Check[setting->control] = 1;
        else loaded.view.Text[setting->control] = name;
        form->Fill(loaded);
        EXPECT_EQ(ShownBeside(label), setting->rule == Rule::Flag ? L"1" : std::wstring(name)) << Narrow(name);
    }
    EXPECT_EQ(WindowText(form->hwnd()), kTestWindowTitle);
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
    EXPECT_EQ(WindowText(form->Control(Text3)), L"2560x1440");
    EXPECT_EQ(::SendMessageW(form->Control(Check5), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(NameOf(::GetFocus()), "Text9");
    EXPECT_EQ(TabRing(form->Control(Check1)), ring);
    EXPECT_TRUE(!::GetObjectType(font) && !::GetObjectType(picture)) << "the old font or picture was kept";

    ChangeDpi(96, before);  // and back: as it was, whatever densities no display has come after
    ChangeDpi(0, {0, 0, 1, 1});
    ChangeDpi(65535, {0, 0, 1, 1});
    EXPECT_EQ(Corners({Label17, Check10, Text3, Text10}), at96);
    int children = 0;
    for (HWND c = ::GetWindow(form->hwnd(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 45) << "controls made twice";
}

TEST_F(Form1Test, ADensityChangePostedByAnotherProgramIsDropped) {
    const std::string before = Corners({Label17, Check10, Text3, Text10});
    ::PostMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0x10);  // a rectangle nowhere
    ::PostQuitMessage(7);
    EXPECT_EQ(RunMessageLoop(form->hwnd()), 7);
    EXPECT_EQ(Corners({Label17, Check10, Text3, Text10}), before);
}

TEST_F(Form1Test, ThePictureCoversTheClientAreaFromTheTopLeftCorner) {
    for (const auto& [dpi, width, height] : {std::tuple{96, 549, 580}, {144, 824, 870}}) {  // smoothly x 1.5 at 144
        SCOPED_TRACE(::testing::Message() << dpi << " dpi");
        if (dpi != form->dpi()) ChangeDpi(dpi, {0, 0, 700, 500});
        const SIZE size = BitmapSize(form->background());
        EXPECT_TRUE(size.cx == width && size.cy == height) << size.cx << "x" << size.cy;
        RECT client{};
        ::GetClientRect(form->hwnd(), &client);
        UniqueHbitmap canvas(::CreateBitmap(client.right, client.bottom, 1, 32, nullptr));
        UniqueMemoryDc painted(::CreateCompatibleDC(nullptr)), picture(::CreateCompatibleDC(nullptr));
        SelectScope onCanvas(painted.get(), canvas.get());
        ::SendMessageW(form->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.get()), PRF_CLIENT);
        SelectScope onPicture(picture.get(), form->background());  // once the window has drawn it
        const POINT points[] = {{1, 1}, {client.right / 2, client.bottom / 3}, {client.right - 1, client.bottom - 1}};
        for (const POINT p : points) {
            EXPECT_EQ(::GetPixel(painted.get(), p.x, p.y), ::GetPixel(picture.get(), p.x, p.y)) << p.x << ',' << p.y;
            EXPECT_NE(::GetPixel(painted.get(), p.x, p.y), RGB(0, 0, 0)) << p.x << ',' << p.y;
        }
    }
}

TEST_F(Form1Test, MenuAboutSaveSettingsExitTheCloseBoxAndAFailingCommand) {
    EXPECT_EQ(Menu(form->hwnd(), ::GetMenu(form->hwnd())),
              L"File{Launch BlackOps.exe|Launch BlackOpsMP.exe|Save Settings|Exit}|About");
    LoadedForm loaded;
    loaded.paths.AppVersion = QUORVANE_APP_VERSION;
    form->Fill(loaded);
    Choose(L"Save Settings");  // shows nothing
    Choose(L"About");
    const std::wstring about = L"Delmarrow " QUORVANE_APP_VERSION L"\r\nQuorvane " QUORVANE_APP_VERSION
        L" by Pellowan\r\nE-Mail: pellowan@example.com\r\nBlog: https://blog.example.com/pellowan";
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{about});
    for (const auto& [way, code] : {std::pair{L"Exit", WPARAM{0}}, {L"close box", 0}, {L"About", 1}}) {
        Make();
        messages.fail = code == 1;  // About's box throws
        if (way == std::wstring_view(L"close box")) ::SendMessageW(form->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        else Choose(way);
        MSG quit{};  // what ends the program's message loop, and with which code
        EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == code) << Narrow(way);
    }
    EXPECT_THROW(form->RethrowFailure(), std::runtime_error);
}

TEST_F(Form1Test, LaunchSaysWhenItCannotStartElseStartsTheExactPathMinimisedInItsFolderEachTime) {
    for (const auto& [path, program] : {std::pair{L"C:\\G\\x.EXE", true}, {L"c:/G/x.exe", true}, {L"\\\\s\\G\\x.exe", true},
                                        {L"Error", false}, {L"x.exe", false}, {L"C:x.exe", false}, {L"\\x.exe", false},
                                        {L"C:\\G\\run.bat", false}, {L"C:\\G\\x.exe\\", false}, {L"C:\\G\\x\".exe", false}}) {
        EXPECT_EQ(IsProgramPath(path), program) << Narrow(path);
    }
    const std::wstring folder = L"C:\\Quorvane Test\\Dir With Spaces";
    LoadedForm loaded;
    loaded.paths.SPExePath = folder + L"\\game.exe";
    loaded.paths.MPExePath = folder + L"/game mp.exe";
    form->Fill(loaded);
    std::filesystem::remove_all(folder);
    Choose(L"Launch BlackOps.exe");  // not there yet: said, and the program goes on
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"Cannot start:\n\n" + loaded.paths.SPExePath});
    std::filesystem::create_directories(folder);
    ::SetCurrentDirectoryW(L"C:\\");  // this program works elsewhere
    for (const auto& [item, path] : {std::pair{L"Launch BlackOps.exe", loaded.paths.SPExePath},
                                     std::pair{L"Launch BlackOpsMP.exe", loaded.paths.MPExePath}}) {
        std::filesystem::copy_file(HostPathToWindows(QUORVANE_MARKER_PROGRAM), path);
        Choose(item);
        Choose(item);
        std::string runs;  // a line a start: command line, show command (SW_SHOWMINIMIZED), working folder
        PollUntil(10000, [&, &path = path] {
            std::ifstream in(std::filesystem::path(path + L".ran"));
            runs.assign(std::istreambuf_iterator<char>(in), {});
            return std::count(runs.begin(), runs.end(), '\n') >= 2;
        });
        const std::string run = "\"" + Narrow(path) + "\"\t2\t" + Narrow(folder) + "\n";
        EXPECT_EQ(runs, run + run) << Narrow(item);
    }
}

TEST_F(Form1Test, TheMessageBoxIsOkAloneWithoutIconUnderTheAppTitleOwnedByTheWindow) {
    Win32MessageBox box;
    box.SetOwner(form->hwnd());
    std::wstring seen;  // its title, its owner, the buttons it shows and any icon
    std::thread user([&] {
        HWND shown = nullptr;
        PollUntil(10000, [&] { return (shown = ::FindWindowW(L"#32770", nullptr)) != nullptr; });
        seen = WindowText(shown) + (::GetWindow(shown, GW_OWNER) == form->hwnd() ? L"; owned;" : L"; not owned;");
        for (HWND c = ::GetWindow(shown, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            if (ClassName(c) == L"Button" && ::IsWindowVisible(c)) seen += WindowText(c) + L";";
            if (::SendMessageW(c, STM_GETICON, 0, 0)) seen += L"icon;";
        }
        ::PostMessageW(shown, WM_COMMAND, IDOK, 0);
    });
    box.Show(L"About");  // returns once OK is pressed
    user.join();
    EXPECT_EQ(seen, kTestAppTitle + std::wstring(L"; owned;OK;"));
}

}  // namespace quorvane::testing
