#pragma once
// What the load sequence puts into the main window: its title and one field per
// setting control. The window starts in this state and shows it once loaded.

#include <array>
#include <string>

namespace quorvane {

inline constexpr int kCheckBoxCount = 12;
// The path boxes: whether the paths of config.cfg and config_mp.cfg were formed.
inline constexpr int kConfigPathBox = 10;
inline constexpr int kConfigMpPathBox = 11;
inline constexpr int kTextBoxCount = 10;

struct SettingsView {
    std::wstring Title = L"Form1";

    // Check[n] is the check box Check<n>: 1 ticked, 0 clear. Check10 and Check11 tell
    // whether the paths of config.cfg and config_mp.cfg were formed; the others show
    // on/off settings. Element 0 stands for no control.
    std::array<int, kCheckBoxCount + 1> Check{};

    // Text[n] is the text box Text<n>, which shows a valued setting; element 0 is unused.
    std::array<std::wstring, kTextBoxCount + 1> Text = {L"", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0"};

    bool operator==(const SettingsView&) const = default;
};

}  // namespace quorvane
