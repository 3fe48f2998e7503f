#include "config/Recognisers.h"

#include "config/Settings.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace quorvane {
namespace {

constexpr std::wstring_view kSeta = L"seta ";
constexpr wchar_t kQuote = L'"';

// A text that a line's start is compared with: "seta ", the name, a blank and the
// opening quote; for a flag, also the value and the closing quote.
struct ComparedText {
    std::array<wchar_t, 32> chars{};
    std::size_t size = 0;

    constexpr void Append(std::wstring_view part) {
        for (wchar_t ch : part) chars[size++] = ch;
    }
    constexpr std::wstring_view view() const { return {chars.data(), size}; }
};

// The ladder: each setting's compared texts in table order, a flag's two in the
// order they are tried. The first that begins the line decides.
struct Test {
    ComparedText compared;
    const Setting* setting;
    int value;  // what a flag's test sets its check box to
};

constexpr std::size_t kTestCount = [] {
    std::size_t count = 0;
    for (const Setting& setting : kSettings) count += setting.rule == Rule::Flag ? 2 : 1;
    return count;
}();

constexpr std::array<Test, kTestCount> kLadder = [] {
    std::array<Test, kTestCount> ladder{};
    std::size_t next = 0;
    for (const Setting& setting : kSettings) {
        for (std::size_t k = 0; k < (setting.rule == Rule::Flag ? 2u : 1u); ++k) {
            Test& test = ladder[next++];
            test.setting = &setting;
            test.compared.Append(kSeta);
            test.compared.Append(setting.name);
            test.compared.Append(L" \"");
            if (setting.rule == Rule::Flag) {
                test.compared.Append(setting.flag[k].text);
                test.compared.Append(L"\"");
                test.value = setting.flag[k].value;
            }
        }
    }
    return ladder;
}();

// No compared text begins another, so at most one test matches a line, and a line
// needs comparing in full only with the tests that can match it.
constexpr bool NoComparedTextBeginsAnother() {
    for (const Test& a : kLadder) {
        for (const Test& b : kLadder) {
            if (&a != &b && b.compared.view().starts_with(a.compared.view())) return false;
        }
    }
    return true;
}
static_assert(kTestCount == 30 && NoComparedTextBeginsAnother());

// Every setting control but the two path boxes shows exactly one setting.
constexpr bool EachControlShowsOneSetting() {
    std::array<int, kCheckBoxCount + 1> checks{};
    std::array<int, kTextBoxCount + 1> texts{};
    for (const Setting& s : kSettings) {
        const bool flag = s.rule == Rule::Flag;
        if (s.control < 1 || s.control > (flag ? kCheckBoxCount : kTextBoxCount)) return false;
        ++(flag ? checks.data() : texts.data())[s.control];
    }
    return checks == std::array<int, kCheckBoxCount + 1>{0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1} &&
           std::count(texts.begin() + 1, texts.end(), 1) == kTextBoxCount;
}
static_assert(EachControlShowsOneSetting());

// Those tests are found from the line's key positions, the name's first four
// characters: a few table look-ups per line spare almost every comparison.
constexpr std::size_t kKeyStart = kSeta.size();
constexpr std::size_t kKeyChars = 4;

using CandidateSet = std::uint32_t;  // bit i stands for kLadder[i]
static_assert(kTestCount <= 32);
static_assert(std::all_of(kLadder.begin(), kLadder.end(), [](const Test& t) {
    const std::wstring_view text = t.compared.view();
    return text.size() >= kKeyStart + kKeyChars &&
           std::all_of(text.begin(), text.end(), [](wchar_t ch) { return ch > 0 && ch < 128; });
}));

// For each key position and ASCII character, the tests with that character there.
constexpr auto kCandidates = [] {
    std::array<std::array<CandidateSet, 128>, kKeyChars> sets{};
    for (std::size_t i = 0; i < kLadder.size(); ++i) {
        for (std::size_t k = 0; k < kKeyChars; ++k) {
            const wchar_t ch = kLadder[i].compared.view()[kKeyStart + k];
            sets[k][static_cast<std::size_t>(ch)] |= CandidateSet{1} << i;
        }
    }
    return sets;
}();

std::wstring Extract(Rule rule, std::wstring_view line, std::size_t n) {
    switch (rule) {
        case Rule::TailValue: return TailValue(line, n);
        case Rule::ClippedValue: return ClippedValue(line, n);
        case Rule::FirstCharValue: return FirstCharValue(line, n);
        case Rule::Flag: break;
    }
    return {};
}

}  // namespace

std::wstring TailValue(std::wstring_view line, std::size_t n) {
    // Everything after the first n characters but the line's last one (the closing quote).
    if (line.size() <= n) return {};
    return std::wstring(line.substr(n, line.size() - n - 1));
}

std::wstring ClippedValue(std::wstring_view line, std::size_t n) {
    // The value up to its closing quote: the game's frame limits fit a window of three
    // characters, and a longer value is taken up to its quote, or to the line's end.
    const std::wstring_view rest = line.substr(std::min(n, line.size()));
    return std::wstring(rest.substr(0, rest.find(kQuote)));
}

std::wstring FirstCharValue(std::wstring_view line, std::size_t n) {
    return std::wstring(line.substr(std::min(n, line.size()), 1));
}

void RecogniseLine(std::wstring_view line, SettingsView& view) {
    if (line.size() < kKeyStart + kKeyChars) return;  // shorter than every compared text
    CandidateSet candidates = ~CandidateSet{0};
    for (std::size_t k = 0; k < kKeyChars; ++k) {
        const auto ch = static_cast<std::uint32_t>(line[kKeyStart + k]);
        candidates &= ch < 128 ? kCandidates[k][ch] : 0;
    }
    // The candidates in ladder order.
    for (; candidates != 0; candidates &= candidates - 1) {
        const Test& test = kLadder[static_cast<std::size_t>(std::countr_zero(candidates))];
        const std::wstring_view compared = test.compared.view();
        if (!line.starts_with(compared)) continue;
        const Setting& setting = *test.setting;
        if (setting.rule == Rule::Flag) {
            view.Check[setting.control] = test.value;
        } else {
            view.Text[setting.control] = Extract(setting.rule, line, compared.size());
        }
        return;
    }
}

void ScanConfigLines(const ConfigLines& lines, SettingsView& view) {
    const std::size_t end = std::min(lines.size(), kLastScannedLine + 1);
    for (std::size_t LineIndex = kFirstScannedLine; LineIndex < end; ++LineIndex) {
        RecogniseLine(lines[LineIndex], view);
    }
}

}  // namespace quorvane
