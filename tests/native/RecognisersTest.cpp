#include "config/LoadSequence.h"
#include "config/Recognisers.h"
#include "tests/data/RealisticSettings.h"

#include <gtest/gtest.h>

#include <span>

namespace quorvane {
namespace {

using ::testing::PrintToString;

// Each setting's line, on a view whose controls all hold other values, sets exactly the
// control the window labels with its name, to what its value means: a flag's "1" (for
// cg_drawFPS "Simple") ticks it, "0" ("Off") clears it. Written apart from the table.
TEST(Recognisers, EachSettingFillsItsOwnControlAndNothingElse) {
    SettingsView start;
    start.Check.fill(7);
    start.Text.fill(L"?");
    for (int n = 1; n <= kCheckBoxCount + kTextBoxCount; ++n) {
        const bool flag = n <= kCheckBoxCount;
        const int control = flag ? n : n - kCheckBoxCount;
        const wchar_t* name = (flag ? testing::kCheckSettings : testing::kTextSettings)[control];
        if (!name) continue;  // the path boxes
        const bool fps = std::wstring_view(name) == L"cg_drawFPS";
        const std::pair<std::wstring, int> values[] = {{fps ? L"Simple" : L"1", 1}, {fps ? L"Off" : L"0", 0}, {L"7", 7}};
        for (const auto& [value, shown] : flag ? std::span(values, 2) : std::span(values + 2, 1)) {
            const std::wstring line = L"seta " + std::wstring(name) + L" \"" + value + L"\"";
            SettingsView expected = start, view = start;
            if (flag) expected.Check[control] = shown;
            else expected.Text[control] = value;
            RecogniseLine(line, view);
            EXPECT_EQ(view, expected) << PrintToString(line);
        }
    }
}

TEST(Recognisers, ExtractionRulesAtTheirBoundaries) {
    const struct {
        decltype(&TailValue) rule;
        std::wstring line;  // n is the length up to and with the first quote
        std::wstring value;
    } rows[] = {
        {TailValue, L"seta r_mode \"1680x1050\"", L"1680x1050"},
        {TailValue, L"seta r_mode \"800x600\" // note", L"800x600\" // not"},
        {TailValue, L"seta r_mode \"x", L""},
        {ClippedValue, L"seta com_maxfps \"125\"", L"125"},
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

TEST(Recognisers, LinesThatMatchNothing) {
    for (const wchar_t* line : {L"Seta r_vsync \"1\"", L"seta R_vsync \"1\"", L"seta r_vsync  \"1\"", L"r_vsync \"1\"",
                                L"seta  r_vsync \"1\"", L"seta\tr_vsync \"1\"", L" seta r_vsync \"1\"",
                                L"seta r_vsync \"2\"", L"seta cg_drawFPS \"1\"", L"seta r_vsync 1", L"seta r_mode",
                                L"seta r_modelVertColor \"1\"", L"seta r_aspect \"1\"", L"seta ragdoll_max \"1\"",
                                L"seta ragdoll_enabled \"1\"", L"seta rat \"1\"", L"seta rates \"1\"", L""}) {
        SettingsView view;
        RecogniseLine(line, view);
        EXPECT_EQ(view, SettingsView{}) << PrintToString(std::wstring(line));
    }
}

}  // namespace
}  // namespace quorvane
