#pragma once
// What tests/data/config.cfg holds for the twenty settings, by control: index 1 to 12
// for the check boxes (10 and 11 are the path boxes, ticked once the paths are formed)
// and 1 to 10 for the text boxes. Index 0 is unused.

namespace quorvane::testing {

inline constexpr int kRealisticChecks[13] = {
    0,
    0,  // Check1: cg_brass "0"
    1,  // Check2: cg_drawCrosshair "1"
    1,  // Check3: cg_drawFPS "Simple"
    1,  // Check4: cg_subtitles "1"
    1,  // Check5: r_fullscreen "1"
    1,  // Check6: r_specular "1"
    0,  // Check7: r_vsync "0"
    1,  // Check8: r_shaderWarming "1"
    1,  // Check9: ragdoll_enable "1"
    1,  // Check10
    1,  // Check11
    0,  // Check12: r_motionblur_enable "0"
};

inline constexpr const wchar_t* kRealisticTexts[11] = {
    nullptr,
    L"125",         // Text1: com_maxfps, a three-digit limit shown whole
    L"4",           // Text2: r_aaSamples
    L"1680x1050",   // Text3: r_mode
    L"wide 16:10",  // Text4: r_aspectRatio
    L"0.8",         // Text5: r_gamma
    L"60 Hz",       // Text6: r_displayRefresh
    L"16",          // Text7: ragdoll_max_simulating
    L"4",           // Text8: r_texFilterAnisoMin
    L"6.5",         // Text9: sensitivity
    L"25000",       // Text10: rate
};

}  // namespace quorvane::testing
