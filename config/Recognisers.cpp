#include "config/Recognisers.h"

#include "config/Settings.h"

#include <algorithm>

namespace quorvane {
namespace {

constexpr std::wstring_view kSeta = L"seta ";
constexpr wchar_t kQuote = L'"';

// Takes `start` off the front of `text` if the text begins with it.
bool Consume(std::wstring_view& text, std::wstring_view start) {
    if (!text.starts_with(start)) return false;
    text.remove_prefix(start.size());
    return true;
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

// The 30 tests in the table's order, a flag's two values in theirs: a line matches a
// test when it begins with "seta ", the name, a blank and the opening quote, and for a
// flag also the value and the closing quote. No test's text begins another's, so the
// first that matches is the only one.
void RecogniseLine(std::wstring_view line, SettingsView& view) {
    std::wstring_view afterSeta = line;
    if (!Consume(afterSeta, kSeta)) return;  // every test's text begins so
    for (const Setting& setting : kSettings) {
        std::wstring_view rest = afterSeta;
        if (!Consume(rest, setting.name) || !Consume(rest, L" \"")) continue;
        if (setting.rule != Rule::Flag) {
            // A valued setting's rule, in the order of Rule.
            constexpr std::wstring (*kExtract[])(std::wstring_view, std::size_t) = {nullptr, TailValue, ClippedValue,
                                                                                     FirstCharValue};
            view.Text[setting.control] = kExtract[static_cast<int>(setting.rule)](line, line.size() - rest.size());
            return;
        }
        for (const FlagValue& flag : setting.flag) {
            std::wstring_view value = rest;
            if (Consume(value, flag.text) && Consume(value, L"\"")) {
                view.Check[setting.control] = flag.value;
                return;
            }
        }
    }
}

void ScanConfigLines(const ConfigLines& lines, SettingsView& view) {
    const std::size_t end = std::min(lines.size(), kLastScannedLine + 1);
    for (std::size_t LineIndex = kFirstScannedLine; LineIndex < end; ++LineIndex) {
        RecogniseLine(lines[LineIndex], view);
    }
}

}  // namespace quorvane
