#pragma once
// The window's controls by index (element 0 unused): the setting each one shows, the
// label beside it, and what tests/data/config.cfg gives it. Check10 and Check11 are the
// path boxes, ticked once the paths are formed. Written independently of
// config/Settings.h and ui/Layout.h, so that a setting paired with the wrong control, or a
// control beside the wrong label, is caught.

namespace quorvane::testing {

inline constexpr const wchar_t* kCheckSettings[13] = {nullptr, L"cg_brass", L"cg_drawCrosshair", L"cg_drawFPS",
    L"cg_subtitles", L"r_fullscreen", L"r_specular", L"r_vsync", L"r_shaderWarming", L"ragdoll_enable", nullptr,
    nullptr, L"r_motionblur_enable"};
inline constexpr const wchar_t* kCheckLabels[13] = {nullptr, L"Shell Ejection", L"Crosshair", L"FPS Counter",
    L"Subtitles", L"Fullscreen", L"Specular Map", L"VSync", L"Shader Warming", L"Ragdoll Physics", L"config.cfg",
    L"config_mp.cfg", L"Motion Blur"};
inline constexpr int kRealisticChecks[13] = {0, 0, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0};

inline constexpr const wchar_t* kTextSettings[11] = {nullptr, L"com_maxfps", L"r_aaSamples", L"r_mode",
    L"r_aspectRatio", L"r_gamma", L"r_displayRefresh", L"ragdoll_max_simulating", L"r_texFilterAnisoMin",
    L"sensitivity", L"rate"};
inline constexpr const wchar_t* kTextLabels[11] = {nullptr, L"FPS Limit", L"Anti Aliasing", L"Resolution",
    L"Aspect Ratio", L"Gamma", L"Refresh Rate", L"Ragdoll Corpses", L"Anistropic Filtering", L"Sensitivity", L"Rate"};
inline constexpr const wchar_t* kRealisticTexts[11] = {
    nullptr, L"125", L"4", L"1680x1050", L"wide 16:10", L"0.8", L"60 Hz", L"16", L"4", L"6.5", L"25000"};

}  // namespace quorvane::testing
