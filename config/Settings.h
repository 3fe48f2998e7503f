#pragma once
// The twenty settings the window shows: each one's name in config.cfg, how its value
// is read from a line, and the control that shows it. The recognisers and the window
// are both built from this one table.

#include <array>
#include <string_view>

namespace quorvane {

// How a setting's value comes out of a line `seta <name> "<value>"`.
enum class Rule {
    Flag,            // one of two value texts ticks or clears a check box
    TailValue,       // everything after the opening quote but the line's last character
    ClippedValue,    // up to the closing quote, or to the line's end without one
    FirstCharValue,  // the one character after the opening quote
};

struct FlagValue {
    std::wstring_view text;  // between the quotes
    int value;               // what the check box is set to
};

struct Setting {
    std::wstring_view name;  // as it stands after "seta "
    Rule rule;
    int control;                    // Check<control> for a flag, Text<control> otherwise
    std::array<FlagValue, 2> flag;  // a flag's two value texts, in the order they are tried
};

namespace settings_detail {
constexpr Setting Flag(std::wstring_view name, FlagValue first, FlagValue second, int check) {
    return {name, Rule::Flag, check, {first, second}};
}
constexpr Setting Valued(std::wstring_view name, Rule rule, int text) { return {name, rule, text, {}}; }
}  // namespace settings_detail

inline constexpr std::array<Setting, 20> kSettings = [] {
    using namespace settings_detail;
    return std::array<Setting, 20>{{
        Flag(L"cg_brass", {L"1", 1}, {L"0", 0}, 1),
        Flag(L"cg_drawCrosshair", {L"0", 0}, {L"1", 1}, 2),
        Flag(L"cg_drawFPS", {L"Off", 0}, {L"Simple", 1}, 3),
        Flag(L"cg_subtitles", {L"0", 0}, {L"1", 1}, 4),
        Valued(L"com_maxfps", Rule::ClippedValue, 1),
        Valued(L"r_aaSamples", Rule::FirstCharValue, 2),
        Valued(L"r_mode", Rule::TailValue, 3),
        Flag(L"r_fullscreen", {L"0", 0}, {L"1", 1}, 5),
        Flag(L"r_specular", {L"0", 0}, {L"1", 1}, 6),
        Flag(L"r_vsync", {L"0", 0}, {L"1", 1}, 7),
        Flag(L"r_shaderWarming", {L"0", 0}, {L"1", 1}, 8),
        Valued(L"r_aspectRatio", Rule::TailValue, 4),
        Valued(L"r_gamma", Rule::TailValue, 5),
        Valued(L"r_displayRefresh", Rule::TailValue, 6),
        Valued(L"r_texFilterAnisoMin", Rule::TailValue, 8),
        Flag(L"ragdoll_enable", {L"0", 0}, {L"1", 1}, 9),
        Valued(L"ragdoll_max_simulating", Rule::TailValue, 7),
        Valued(L"sensitivity", Rule::TailValue, 9),
        Valued(L"rate", Rule::TailValue, 10),
        Flag(L"r_motionblur_enable", {L"1", 1}, {L"0", 0}, 12),
    }};
}();

}  // namespace quorvane
