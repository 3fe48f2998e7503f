#include "config/Recognisers.h"
#include "config/Settings.h"
#include "tests/data/RealisticSettings.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using ::testing::PrintToString;

// Every row of the settings table, on a view whose controls all hold other values: its
// line sets exactly its own control, which is the one the window labels with its name.
TEST(Recognisers, EachSettingFillsItsOwnControlAndNothingElse) {
    SettingsView start;
    start.Check.fill(7);
    start.Text.fill(L"?");
    for (const Setting& s : kSettings) {
        const bool flag = s.rule == Rule::Flag;
        EXPECT_STREQ((flag ? testing::kCheckSettings : testing::kTextSettings)[s.control], s.name.data());
        for (std::size_t k = 0; k < (flag ? 2u : 1u); ++k) {
            const std::wstring line = L"seta " + std::wstring(s.name) + L" \"" +
                                      std::wstring(flag ? s.flag[k].text : L"7") + L"\"";
            SettingsView expected = start, view = start;
            if (flag) expected.Check[s.control] = s.flag[k].value;
            else expected.Text[s.control] = L"7";
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
        {TailValue, L"seta r_mode \"", L""},
        {TailValue, L"seta r_mode \"x", L""},
        {ClippedValue, L"seta com_maxfps \"125\"", L"125"},
        {ClippedValue, L"seta com_maxfps \"1000\" // \"x\"", L"1000"},
        {ClippedValue, L"seta com_maxfps \"85\"", L"85"},
        {ClippedValue, L"seta com_maxfps \"1\"", L"1"},
        {ClippedValue, L"seta com_maxfps \"\"", L""},
        {ClippedValue, L"seta com_maxfps \"", L""},
        {ClippedValue, L"seta com_maxfps \"12", L"12"},
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
