#include "config/Recognisers.h"

#include "config/Settings.h"

#include <algorithm>
#include <array>

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

// Each setting's compared texts in the order they are tried: a flag's two, or one.
struct SettingTests {
    std::array<ComparedText, 2> compared;
    std::size_t count;
};

constexpr std::array<SettingTests, kSettings.size()> kTests = [] {
    std::array<SettingTests, kSettings.size()> tests{};
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
        const Setting& setting = kSettings[i];
        tests[i].count = setting.rule == Rule::Flag ? 2 : 1;
        for (std::size_t k = 0; k < tests[i].count; ++k) {
            ComparedText& text = tests[i].compared[k];
            text.Append(kSeta);
            text.Append(setting.name);
            text.Append(L" \"");
            if (setting.rule == Rule::Flag) {
                text.Append(setting.flag[k].text);
                text.Append(L"\"");
            }
        }
    }
    return tests;
}();

// A line is looked up by the name after "seta ", up to its blank. That finds the same
// test as trying all thirty in turn only because no name holds a blank and no
// compared text begins another, so at most one of them can match a line.
constexpr bool NamesAreSingleWords() {
    return std::all_of(kSettings.begin(), kSettings.end(), [](const Setting& s) {
        return !s.name.empty() && s.name.find(L' ') == std::wstring_view::npos;
    });
}
constexpr bool NoComparedTextBeginsAnother() {
    std::size_t total = 0;
    for (const SettingTests& a : kTests) {
        for (std::size_t i = 0; i < a.count; ++i) {
            ++total;
            for (const SettingTests& b : kTests) {
                for (std::size_t j = 0; j < b.count; ++j) {
                    if (&a.compared[i] != &b.compared[j] && b.compared[j].view().starts_with(a.compared[i].view())) {
                        return false;
                    }
                }
            }
        }
    }
    return total == 30;
}
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
static_assert(NamesAreSingleWords());
static_assert(EachControlShowsOneSetting());
static_assert(NoComparedTextBeginsAnother());

const Setting* FindSetting(std::wstring_view name) {
    for (const Setting& setting : kSettings) {
        if (setting.name == name) return &setting;
    }
    return nullptr;
}

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
    if (!line.starts_with(kSeta)) return;
    const std::wstring_view rest = line.substr(kSeta.size());
    const Setting* setting = FindSetting(rest.substr(0, rest.find(L' ')));
    if (setting == nullptr) return;

    const SettingTests& tests = kTests[static_cast<std::size_t>(setting - kSettings.data())];
    for (std::size_t k = 0; k < tests.count; ++k) {
        const std::wstring_view compared = tests.compared[k].view();
        if (!line.starts_with(compared)) continue;
        if (setting->rule == Rule::Flag) {
            view.Check[setting->control] = setting->flag[k].value;
        } else {
            view.Text[setting->control] = Extract(setting->rule, line, compared.size());
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
