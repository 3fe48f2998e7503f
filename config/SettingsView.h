#pragma once
// What the load sequence puts into the main window: its title and one field per
// setting control. The window starts in this state and shows it once loaded.

#include <string>

namespace quorvane {

struct SettingsView {
    std::wstring Title = L"Form1";

    // Check boxes: 1 ticked, 0 clear. Check10 and Check11 tell whether the paths of
    // config.cfg and config_mp.cfg were formed; the others show on/off settings.
    int Check1 = 0;
    int Check2 = 0;
    int Check3 = 0;
    int Check4 = 0;
    int Check5 = 0;
    int Check6 = 0;
    int Check7 = 0;
    int Check8 = 0;
    int Check9 = 0;
    int Check10 = 0;
    int Check11 = 0;
    int Check12 = 0;

    // Text boxes showing valued settings.
    std::wstring Text1 = L"0";
    std::wstring Text2 = L"0";
    std::wstring Text3 = L"0";
    std::wstring Text4 = L"0";
    std::wstring Text5 = L"0";
    std::wstring Text6 = L"0";
    std::wstring Text7 = L"0";
    std::wstring Text8 = L"0";
    std::wstring Text9 = L"0";
    std::wstring Text10 = L"0";

    bool operator==(const SettingsView&) const = default;
};

}  // namespace quorvane
