#include "config/Recognisers.h"
#include "tests/data/RealisticSettings.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvane {
namespace {

using ::testing::PrintToString;

// Each setting's line, on a view whose controls all hold other values, sets exactly the
// control the window labels with its name, to what its value means: a flag's "1" (for
// cg_drawFPS "Simple") ticks it, "0" ("Off") clears it. Written apart from the table.
// A line that only comes near one (in case, blanks, quotes, a value a flag lacks, a name
// one letter off) changes nothing.
TEST(Recognisers, EachSettingFillsItsOwnControlAndOtherLinesNothing) {
    SettingsView start;
    start.Check.fill(7);
    start.Text.fill(L"?");
    const auto fills = [&](const std::wstring& line, const std::function<void(SettingsView&)>& fill) {
        SettingsView expected = start, view = start;
        fill(expected);
        RecogniseLine(line, view);
        EXPECT_EQ(view, expected) << PrintToString(line);
    };
    const auto seta = [](const wchar_t* name, const wchar_t* value) {
        return L"seta " + std::wstring(name) + L" \"" + value + L"\"";
    };
    for (int n = 1; n <= kCheckBoxCount; ++n) {
        const wchar_t* name = testing::kCheckSettings[n];
        if (!name) continue;  // the path boxes
        const bool fps = std::wstring_view(name) == L"cg_drawFPS";
        fills(seta(name, fps ? L"Simple" : L"1"), [n](SettingsView& view) { view.Check[n] = 1; });
        fills(seta(name, fps ? L"Off" : L"0"), [n](SettingsView& view) { view.Check[n] = 0; });
    }
    for (int n = 1; n <= kTextBoxCount; ++n) {
        fills(seta(testing::kTextSettings[n], L"7"), [n](SettingsView& view) { view.Text[n] = L"7"; });
    }
    for (const wchar_t* line : {L"Seta r_vsync \"1\"", L"seta R_vsync \"1\"", L"seta r_vsync  \"1\"", L"r_vsync \"1\"",
                                L"seta  r_vsync \"1\"", L"seta\tr_vsync \"1\"", L" seta r_vsync \"1\"",
                                L"seta r_vsync \"2\"", L"seta cg_drawFPS \"1\"", L"seta r_vsync 1", L"seta r_mode",
                                L"seta r_modelVertColor \"1\"", L"seta r_aspect \"1\"", L"seta ragdoll_max \"1\"",
                                L"seta ragdoll_enabled \"1\"", L"seta rat \"1\"", L"seta rates \"1\"", L""}) {
        fills(line, [](SettingsView&) {});
    }
}

TEST(Recognisers, ExtractionRulesAtTheirBoundaries) {
    const struct {
        decltype(&TailValue) rule;
        std::wstring line;  // n is the length up to and with the first quote
        std::wstring value;
    } rows[] = {
        {TailValue, L"seta r_mode \"800x600\" // note", L"800x600\" // not"},
        {TailValue, L"seta r_mode \"x", L""},
        {ClippedValue, L"seta com_maxfps \"1000\" // \"x\"", L"1000"},
        {ClippedValue, L"seta com_maxfps \"\"", L""},
        {ClippedValue, L"seta com_maxfps \"", L""},
        {ClippedValue, L"seta com_maxfps \"25000", L"25000"},
        {FirstCharValue, L"seta r_aaSamples \"16\"", L"1"},
        {FirstCharValue, L"seta r_aaSamples \"", L""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.rule(row.line, row.line.find(L'"') + 1), row.value) << PrintToString(row.line);
    }
}

}  // namespace
}  // namespace quorvane
