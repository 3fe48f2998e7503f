#include "config/Recognisers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

SettingsView AfterLine(const std::wstring& line) {
    SettingsView view;
    RecogniseLine(line, view);
    return view;
}

// Each flag line and the box it sets, with the value it gives.
TEST(RecogniseLine, FlagSettingsTickOrClearTheirBoxes) {
    const struct {
        const wchar_t* line;
        int SettingsView::*box;
        int value;
    } cases[] = {
        {L"seta cg_brass \"1\"", &SettingsView::Check1, 1},
        {L"seta cg_drawCrosshair \"1\"", &SettingsView::Check2, 1},
        {L"seta cg_drawFPS \"Simple\"", &SettingsView::Check3, 1},
        {L"seta cg_subtitles \"1\"", &SettingsView::Check4, 1},
        {L"seta r_fullscreen \"1\"", &SettingsView::Check5, 1},
        {L"seta r_specular \"1\"", &SettingsView::Check6, 1},
        {L"seta r_vsync \"1\" // trailing text is ignored", &SettingsView::Check7, 1},
        {L"seta r_shaderWarming \"1\"", &SettingsView::Check8, 1},
        {L"seta ragdoll_enable \"1\"", &SettingsView::Check9, 1},
        {L"seta r_motionblur_enable \"1\"", &SettingsView::Check12, 1},
    };
    for (const auto& c : cases) {
        SettingsView expected;
        expected.*(c.box) = c.value;
        EXPECT_EQ(AfterLine(c.line), expected) << std::wstring(c.line).size() << "-character line";

        // The matching "off" line clears the box again.
        std::wstring off = c.line;
        off.replace(off.find(L"\"") + 1, off.find(L"\"", off.find(L"\"") + 1) - off.find(L"\"") - 1,
                    c.box == &SettingsView::Check3 ? L"Off" : L"0");
        SettingsView view = expected;
        RecogniseLine(off, view);
        EXPECT_EQ(view, SettingsView{}) << "off line of " << off.size() << " characters";
    }
}

TEST(RecogniseLine, ValuesOutsideTheTwoTestedOnesChangeNothing) {
    for (const wchar_t* line : {L"seta r_vsync \"2\"", L"seta cg_drawFPS \"Full\"", L"seta cg_drawFPS \"1\"",
                                L"seta cg_brass \"\"", L"seta cg_brass \"1", L"seta r_fullscreen 1"}) {
        EXPECT_EQ(AfterLine(line), SettingsView{});
    }
}

TEST(RecogniseLine, CaseAndSpacingCount) {
    for (const wchar_t* line : {L"Seta r_vsync \"1\"", L"seta R_vsync \"1\"", L"seta r_vsync  \"1\"",
                                L"seta  r_vsync \"1\"", L"seta\tr_vsync \"1\"", L"seta r_vsync\t\"1\"",
                                L" seta r_vsync \"1\"", L"\tseta r_mode \"1920x1080\"", L"set r_vsync \"1\"",
                                L"seta r_vsync", L"", L"seta r_mode"}) {
        EXPECT_EQ(AfterLine(line), SettingsView{}) << std::wstring(line).size() << "-character line";
    }
}

TEST(RecogniseLine, LinesAlikeInTheirFirstCharactersAreToldApart) {
    // Names sharing their first letters with a recognised one, and characters beyond
    // ASCII where the name's letters stand.
    for (const wchar_t* line : {L"seta r_vsyn \"1\"", L"seta r_vsync_x \"1\"", L"seta rat \"1\"",
                                L"seta r_mod \"800x600\"", L"seta cg_b \"1\"", L"seta r\u00e9vsync \"1\"",
                                L"seta \u0163_vsync \"1\"", L"seta \U0001F600 \"1\"", L"seta r_v"}) {
        EXPECT_EQ(AfterLine(line), SettingsView{}) << std::wstring(line).size() << "-character line";
    }
    EXPECT_EQ(AfterLine(L"seta r_mode \"1920\u00d71080\"").Text3, L"1920\u00d71080");
    EXPECT_EQ(AfterLine(L"seta ragdoll_max_simulating \"8\"").Text7, L"8");
    EXPECT_EQ(AfterLine(L"seta ragdoll_enable \"1\"").Check9, 1);
}

TEST(RecogniseLine, TailValueIsEverythingAfterTheOpeningQuoteButTheLastCharacter) {
    const struct {
        const wchar_t* line;
        std::wstring SettingsView::*box;
        const wchar_t* shown;
    } cases[] = {
        {L"seta r_mode \"1920x1080\"", &SettingsView::Text3, L"1920x1080"},
        {L"seta r_aspectRatio \"wide 16:10\"", &SettingsView::Text4, L"wide 16:10"},
        {L"seta r_gamma \"0.8\"", &SettingsView::Text5, L"0.8"},
        {L"seta r_displayRefresh \"60 Hz\"", &SettingsView::Text6, L"60 Hz"},
        {L"seta ragdoll_max_simulating \"16\"", &SettingsView::Text7, L"16"},
        {L"seta r_texFilterAnisoMin \"4\"", &SettingsView::Text8, L"4"},
        {L"seta sensitivity \"5.5\"", &SettingsView::Text9, L"5.5"},
        {L"seta rate \"25000\"", &SettingsView::Text10, L"25000"},
        {L"seta r_mode \"800x600\" // note", &SettingsView::Text3, L"800x600\" // not"},
        {L"seta r_mode \"800x600\"\r", &SettingsView::Text3, L"800x600\""},
        {L"seta r_mode \"\"", &SettingsView::Text3, L""},
        {L"seta r_mode \"x", &SettingsView::Text3, L""},   // one character after the quote
        {L"seta r_mode \"", &SettingsView::Text3, L""},    // the line ends at the quote
        {L"seta rate \"\"\"", &SettingsView::Text10, L"\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AfterLine(c.line).*(c.box), c.shown) << std::wstring(c.line).size() << "-character line";
    }
}

TEST(RecogniseLine, FrameLimitIsTakenUpToItsClosingQuote) {
    const struct {
        const wchar_t* line;
        const wchar_t* shown;
    } cases[] = {
        {L"seta com_maxfps \"85\"", L"85"},
        {L"seta com_maxfps \"0\"", L"0"},
        {L"seta com_maxfps \"\"", L""},
        {L"seta com_maxfps \"125\"", L"125"},
        {L"seta com_maxfps \"1000\"", L"1000"},
        {L"seta com_maxfps \"1000\" // more \"quoted\"", L"1000"},
        {L"seta com_maxfps \"12", L"12"},       // no closing quote: to the end of the line
        {L"seta com_maxfps \"1", L"1"},
        {L"seta com_maxfps \"", L""},
        {L"seta com_maxfps \"25000", L"25000"},
    };
    for (const auto& c : cases) EXPECT_EQ(AfterLine(c.line).Text1, c.shown) << std::wstring(c.line).size();
}

TEST(RecogniseLine, AntiAliasingShowsOnlyTheFirstCharacter) {
    EXPECT_EQ(AfterLine(L"seta r_aaSamples \"4\"").Text2, L"4");
    EXPECT_EQ(AfterLine(L"seta r_aaSamples \"16\"").Text2, L"1");
    EXPECT_EQ(AfterLine(L"seta r_aaSamples \"\"").Text2, L"\"");
    EXPECT_EQ(AfterLine(L"seta r_aaSamples \"").Text2, L"");
}

TEST(ExtractionRules, BoundariesOfTheLine) {
    EXPECT_EQ(TailValue(L"abc", 3), L"");
    EXPECT_EQ(TailValue(L"abcd", 3), L"");
    EXPECT_EQ(TailValue(L"abcde", 3), L"d");
    EXPECT_EQ(ClippedValue(L"abc", 3), L"");
    EXPECT_EQ(ClippedValue(L"abc\"", 3), L"");
    EXPECT_EQ(ClippedValue(L"abcxy\"z", 3), L"xy");
    EXPECT_EQ(ClippedValue(L"abcwxyz\"", 3), L"wxyz");
    EXPECT_EQ(FirstCharValue(L"abc", 3), L"");
    EXPECT_EQ(FirstCharValue(L"abcde", 3), L"d");
}

std::wstring NumberedLines(std::size_t count, std::size_t settingAt, const std::wstring& setting) {
    std::wstring text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += L'\n';
        text += i == settingAt ? setting : L"seta filler_" + std::to_wstring(i) + L" \"1\"";
    }
    return text;
}

TEST(ScanConfigLines, ExaminesLinesOneTo548Only) {
    const std::wstring vsync = L"seta r_vsync \"1\"";
    const struct {
        std::size_t lines;
        std::size_t at;
        int ticked;
    } cases[] = {
        {600, 0, 0}, {600, 1, 1}, {600, 548, 1}, {600, 549, 0}, {549, 548, 1}, {10, 9, 1}, {2, 1, 1},
    };
    for (const auto& c : cases) {
        SettingsView view;
        ScanConfigLines(ConfigLines(NumberedLines(c.lines, c.at, vsync)), view);
        EXPECT_EQ(view.Check7, c.ticked) << c.lines << " lines, setting on line " << c.at;
    }
}

TEST(ScanConfigLines, FewOrNoLinesEndTheScanEarly) {
    SettingsView view;
    ScanConfigLines(ConfigLines(L""), view);
    ScanConfigLines(ConfigLines(L"seta r_vsync \"1\""), view);
    EXPECT_EQ(view, SettingsView{});
}

TEST(ScanConfigLines, TheLastMatchingLineWins) {
    SettingsView view;
    ScanConfigLines(ConfigLines(L"head\nseta r_mode \"640x480\"\nseta r_vsync \"1\"\n\nseta r_mode \"1024x768\"\n"
                                L"seta r_vsync \"0\"\nseta r_vsync \"7\""),
                    view);
    EXPECT_EQ(view.Text3, L"1024x768");
    EXPECT_EQ(view.Check7, 0);
}

}  // namespace
}  // namespace quorvane
