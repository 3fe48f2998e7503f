#pragma once
// The main window's layout: every label and control with its kind, name, caption,
// place and size in twips, and tab position. The window is built by walking this
// table; nothing else places a control.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace quorvane {

enum class ControlKind { Label, CheckBox, TextBox, CommandButton };

// Child window ids.
enum class ControlId : int {
    None = 0,
    Command1 = 100,
    Check1 = 201, Check2, Check3, Check4, Check5, Check6, Check7, Check8, Check9, Check10, Check11, Check12,
    Text1 = 301, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
    Label1 = 401, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11,
    Label12, Label13, Label14, Label15, Label16, Label17, Label18, Label19, Label20, Label21, Label22,
};

constexpr int ToInt(ControlId id) { return static_cast<int>(id); }

// Check<n> and Text<n>.
constexpr ControlId CheckBoxId(int n) { return static_cast<ControlId>(ToInt(ControlId::Check1) + n - 1); }
constexpr ControlId TextBoxId(int n) { return static_cast<ControlId>(ToInt(ControlId::Text1) + n - 1); }

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlSpec {
    ControlKind kind;
    ControlId id;
    std::wstring_view name;
    std::wstring_view caption;  // a text box's initial text
    TwipRect twips;
    int tabIndex;
    ControlId names = ControlId::None;  // a label: the control it names
};

// 1440 twips an inch; at 96 dots per inch that is 15 twips a pixel.
inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels at the given dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                        : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

inline constexpr int kClientWidthTwips = 6555;
inline constexpr int kClientHeightTwips = 4215;

// A label's character cell; every label is one line of its caption in this cell.
inline constexpr int kLabelCellWidthTwips = 90;
inline constexpr int kLabelCellHeightTwips = 120;

inline constexpr std::wstring_view kCheckBoxCaption = L"Check1";
inline constexpr std::wstring_view kTextBoxInitialText = L"0";

namespace layout_detail {

constexpr ControlSpec Label(ControlId id, std::wstring_view name, std::wstring_view caption, int left, int top,
                            int width, int tab, ControlId names) {
    return {ControlKind::Label, id, name, caption, {left, top, width, kLabelCellHeightTwips}, tab, names};
}
constexpr ControlSpec Check(ControlId id, std::wstring_view name, int left, int top, int tab) {
    return {ControlKind::CheckBox, id, name, kCheckBoxCaption, {left, top, 175, 255}, tab};
}
constexpr ControlSpec Text(ControlId id, std::wstring_view name, int left, int top, int width, int tab) {
    return {ControlKind::TextBox, id, name, kTextBoxInitialText, {left, top, width, 285}, tab};
}

}  // namespace layout_detail

// In screen order: the hidden button, the top row, then rows 1 to 10, each label
// before the control it names, left pair before right pair.
inline constexpr std::array<ControlSpec, 45> kForm1Layout = [] {
    using namespace layout_detail;
    using enum ControlId;
    return std::array<ControlSpec, 45>{{
        {ControlKind::CommandButton, Command1, L"Command1", L"Config", {240, 240, 975, 375}, 0},
        Label(Label19, L"Label19", L"config.cfg", 2160, 240, 900, 38, Check10),
        Check(Check10, L"Check10", 3240, 120, 37),
        Label(Label20, L"Label20", L"config_mp.cfg", 3720, 240, 1170, 40, Check11),
        Check(Check11, L"Check11", 5040, 120, 39),
        Label(Label7, L"Label7", L"Resolution", 240, 720, 900, 14, Text3),
        Text(Text3, L"Text3", 2160, 600, 885, 13),
        Label(Label16, L"Label16", L"Ragdoll Physics", 3840, 720, 1350, 32, Check9),
        Check(Check9, L"Check9", 5280, 600, 30),
        Label(Label8, L"Label8", L"Aspect Ratio", 240, 1080, 1080, 16, Text4),
        Text(Text4, L"Text4", 2160, 960, 495, 15),
        Label(Label15, L"Label15", L"Ragdoll Corpses", 3840, 1080, 1350, 31, Text7),
        Text(Text7, L"Text7", 5280, 960, 375, 29),
        Label(Label9, L"Label9", L"Fullscreen", 240, 1440, 900, 18, Check5),
        Check(Check5, L"Check5", 2160, 1320, 17),
        Label(Label14, L"Label14", L"Shader Warming", 3840, 1440, 1260, 28, Check8),
        Check(Check8, L"Check8", 5280, 1320, 25),
        Label(Label13, L"Label13", L"VSync", 240, 1800, 450, 27, Check7),
        Check(Check7, L"Check7", 2160, 1680, 24),
        Label(Label12, L"Label12", L"Specular Map", 3840, 1800, 1080, 26, Check6),
        Check(Check6, L"Check6", 5280, 1680, 23),
        Label(Label6, L"Label6", L"Anti Aliasing", 240, 2160, 1170, 12, Text2),
        Text(Text2, L"Text2", 2160, 2040, 375, 11),
        Label(Label1, L"Label1", L"Shell Ejection", 3840, 2160, 1260, 2, Check1),
        Check(Check1, L"Check1", 5280, 2040, 1),
        Label(Label17, L"Label17", L"Anistropic Filtering", 240, 2520, 1800, 34, Text8),
        Text(Text8, L"Text8", 2160, 2400, 375, 33),
        Label(Label2, L"Label2", L"Crosshair", 3840, 2520, 810, 4, Check2),
        Check(Check2, L"Check2", 5280, 2400, 3),
        Label(Label10, L"Label10", L"Gamma", 240, 2880, 450, 20, Text5),
        Text(Text5, L"Text5", 2160, 2760, 375, 19),
        Label(Label3, L"Label3", L"FPS Counter", 3840, 2880, 990, 6, Check3),
        Check(Check3, L"Check3", 5280, 2760, 5),
        Label(Label11, L"Label11", L"Refresh Rate", 240, 3240, 1080, 22, Text6),
        Text(Text6, L"Text6", 2160, 3120, 615, 21),
        Label(Label4, L"Label4", L"Subtitles", 3840, 3240, 810, 8, Check4),
        Check(Check4, L"Check4", 5280, 3120, 7),
        Label(Label5, L"Label5", L"FPS Limit", 240, 3600, 810, 10, Text1),
        Text(Text1, L"Text1", 2160, 3480, 375, 9),
        Label(Label21, L"Label21", L"Motion Blur", 3840, 3600, 990, 42, Check12),
        Check(Check12, L"Check12", 5280, 3480, 41),
        Label(Label18, L"Label18", L"Sensitivity", 240, 3960, 990, 36, Text9),
        Text(Text9, L"Text9", 2160, 3840, 735, 35),
        Label(Label22, L"Label22", L"Rate", 3840, 3960, 360, 44, Text10),
        Text(Text10, L"Text10", 5280, 3840, 615, 43),
    }};
}();

// The table entry of a control, or nothing for an id the table does not hold.
constexpr const ControlSpec* FindControl(ControlId id) {
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

// The label that names a control, if it has one.
constexpr const ControlSpec* FindLabelFor(ControlId control) {
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.kind == ControlKind::Label && entry.names == control) return &entry;
    }
    return nullptr;
}

// The order in which the window creates its children: the controls by tab position,
// each right after the label that names it. Windows moves the focus with Tab in
// creation order, and screen readers take an unnamed control's name from the label
// created just before it.
std::array<const ControlSpec*, kForm1Layout.size()> CreationOrder();

}  // namespace quorvane
