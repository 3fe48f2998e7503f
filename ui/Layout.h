#pragma once
// The main window's layout: every label and control with its kind, caption, and place
// and size in twips. The window is built by walking this table; nothing else places a
// control.

#include <array>
#include <string_view>

namespace quorvane {

enum class ControlKind { Label, CheckBox, TextBox, CommandButton };

// Child window ids.
enum class ControlId : int {
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
    std::wstring_view caption;  // a text box's initial text
    TwipRect twips;
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

namespace layout_detail {

constexpr ControlSpec Label(ControlId id, std::wstring_view caption, int left, int top, int width) {
    return {ControlKind::Label, id, caption, {left, top, width, kLabelCellHeightTwips}};
}
constexpr ControlSpec Check(ControlId id, int left, int top) {
    return {ControlKind::CheckBox, id, L"Check1", {left, top, 175, 255}};
}
constexpr ControlSpec Text(ControlId id, int left, int top, int width) {
    return {ControlKind::TextBox, id, L"0", {left, top, width, 285}};
}

}  // namespace layout_detail

// In the order the window creates them, which is the order Tab moves the focus in: the
// hidden button, then the controls by tab position, each right after the label that
// names it (a screen reader names a control from the label created just before it): a
// label and its control to a row.
inline constexpr std::array<ControlSpec, 45> kForm1Layout = [] {
    using namespace layout_detail;
    using enum ControlId;
    return std::array<ControlSpec, 45>{{
        {ControlKind::CommandButton, Command1, L"Config", {240, 240, 975, 375}},
        Label(Label1, L"Shell Ejection", 3840, 2160, 1260), Check(Check1, 5280, 2040),
        Label(Label2, L"Crosshair", 3840, 2520, 810), Check(Check2, 5280, 2400),
        Label(Label3, L"FPS Counter", 3840, 2880, 990), Check(Check3, 5280, 2760),
        Label(Label4, L"Subtitles", 3840, 3240, 810), Check(Check4, 5280, 3120),
        Label(Label5, L"FPS Limit", 240, 3600, 810), Text(Text1, 2160, 3480, 375),
        Label(Label6, L"Anti Aliasing", 240, 2160, 1170), Text(Text2, 2160, 2040, 375),
        Label(Label7, L"Resolution", 240, 720, 900), Text(Text3, 2160, 600, 885),
        Label(Label8, L"Aspect Ratio", 240, 1080, 1080), Text(Text4, 2160, 960, 495),
        Label(Label9, L"Fullscreen", 240, 1440, 900), Check(Check5, 2160, 1320),
        Label(Label10, L"Gamma", 240, 2880, 450), Text(Text5, 2160, 2760, 375),
        Label(Label11, L"Refresh Rate", 240, 3240, 1080), Text(Text6, 2160, 3120, 615),
        Label(Label12, L"Specular Map", 3840, 1800, 1080), Check(Check6, 5280, 1680),
        Label(Label13, L"VSync", 240, 1800, 450), Check(Check7, 2160, 1680),
        Label(Label14, L"Shader Warming", 3840, 1440, 1260), Check(Check8, 5280, 1320),
        Label(Label15, L"Ragdoll Corpses", 3840, 1080, 1350), Text(Text7, 5280, 960, 375),
        Label(Label16, L"Ragdoll Physics", 3840, 720, 1350), Check(Check9, 5280, 600),
        Label(Label17, L"Anistropic Filtering", 240, 2520, 1800), Text(Text8, 2160, 2400, 375),
        Label(Label18, L"Sensitivity", 240, 3960, 990), Text(Text9, 2160, 3840, 735),
        Label(Label19, L"config.cfg", 2160, 240, 900), Check(Check10, 3240, 120),
        Label(Label20, L"config_mp.cfg", 3720, 240, 1170), Check(Check11, 5040, 120),
        Label(Label21, L"Motion Blur", 3840, 3600, 990), Check(Check12, 5280, 3480),
        Label(Label22, L"Rate", 3840, 3960, 360), Text(Text10, 5280, 3840, 615),
    }};
}();

}  // namespace quorvane
