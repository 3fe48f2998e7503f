#include "config/Recognisers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace quorvane {
namespace {

enum class Effect { SetValue, Tail, Clipped, FirstChar };

struct Recogniser {
    std::wstring_view compared;            // the line's first compared.size() characters
    Effect effect;
    int SettingsView::*check = nullptr;    // Effect::SetValue
    int value = 0;
    std::wstring SettingsView::*text = nullptr;  // the extractions
};

constexpr Recogniser Flag(std::wstring_view compared, int SettingsView::*check, int value) {
    return {compared, Effect::SetValue, check, value, nullptr};
}

constexpr Recogniser Valued(std::wstring_view compared, Effect effect, std::wstring SettingsView::*text) {
    return {compared, effect, nullptr, 0, text};
}

using SV = SettingsView;

// Tried in this order; the first match decides. No compared text begins another.
constexpr std::array<Recogniser, 30> kRecognisers{{
    Flag(L"seta cg_brass \"1\"", &SV::Check1, 1),
    Flag(L"seta cg_brass \"0\"", &SV::Check1, 0),
    Flag(L"seta cg_drawCrosshair \"0\"", &SV::Check2, 0),
    Flag(L"seta cg_drawCrosshair \"1\"", &SV::Check2, 1),
    Flag(L"seta cg_drawFPS \"Off\"", &SV::Check3, 0),
    Flag(L"seta cg_drawFPS \"Simple\"", &SV::Check3, 1),
    Flag(L"seta cg_subtitles \"0\"", &SV::Check4, 0),
    Flag(L"seta cg_subtitles \"1\"", &SV::Check4, 1),
    Valued(L"seta com_maxfps \"", Effect::Clipped, &SV::Text1),
    Valued(L"seta r_aaSamples \"", Effect::FirstChar, &SV::Text2),
    Valued(L"seta r_mode \"", Effect::Tail, &SV::Text3),
    Flag(L"seta r_fullscreen \"0\"", &SV::Check5, 0),
    Flag(L"seta r_fullscreen \"1\"", &SV::Check5, 1),
    Flag(L"seta r_specular \"0\"", &SV::Check6, 0),
    Flag(L"seta r_specular \"1\"", &SV::Check6, 1),
    Flag(L"seta r_vsync \"0\"", &SV::Check7, 0),
    Flag(L"seta r_vsync \"1\"", &SV::Check7, 1),
    Flag(L"seta r_shaderWarming \"0\"", &SV::Check8, 0),
    Flag(L"seta r_shaderWarming \"1\"", &SV::Check8, 1),
    Valued(L"seta r_aspectRatio \"", Effect::Tail, &SV::Text4),
    Valued(L"seta r_gamma \"", Effect::Tail, &SV::Text5),
    Valued(L"seta r_displayRefresh \"", Effect::Tail, &SV::Text6),
    Valued(L"seta r_texFilterAnisoMin \"", Effect::Tail, &SV::Text8),
    Flag(L"seta ragdoll_enable \"0\"", &SV::Check9, 0),
    Flag(L"seta ragdoll_enable \"1\"", &SV::Check9, 1),
    Valued(L"seta ragdoll_max_simulating \"", Effect::Tail, &SV::Text7),
    Valued(L"seta sensitivity \"", Effect::Tail, &SV::Text9),
    Valued(L"seta rate \"", Effect::Tail, &SV::Text10),
    Flag(L"seta r_motionblur_enable \"1\"", &SV::Check12, 1),
    Flag(L"seta r_motionblur_enable \"0\"", &SV::Check12, 0),
}};

// Every compared text is "seta ", a name and more. A line is compared in full only with
// the recognisers whose text has the same characters as the line at the key positions,
// the name's first four: a few table look-ups per line spare almost every comparison.
constexpr std::size_t kKeyStart = 5;
constexpr std::size_t kKeyChars = 4;

using CandidateSet = std::uint32_t;  // bit i stands for kRecognisers[i]
static_assert(kRecognisers.size() <= 32);
static_assert(std::all_of(kRecognisers.begin(), kRecognisers.end(), [](const Recogniser& r) {
    return r.compared.size() >= kKeyStart + kKeyChars &&
           std::all_of(r.compared.begin(), r.compared.end(), [](wchar_t ch) { return ch > 0 && ch < 128; });
}));

// For each key position and ASCII character, the recognisers with that character there.
constexpr auto kCandidates = [] {
    std::array<std::array<CandidateSet, 128>, kKeyChars> sets{};
    for (std::size_t i = 0; i < kRecognisers.size(); ++i) {
        for (std::size_t k = 0; k < kKeyChars; ++k) {
            const wchar_t ch = kRecognisers[i].compared[kKeyStart + k];
            sets[k][static_cast<std::size_t>(ch)] |= CandidateSet{1} << i;
        }
    }
    return sets;
}();

constexpr wchar_t kQuote = L'"';
constexpr std::size_t kClipWindow = 3;

std::wstring Extract(Effect effect, std::wstring_view line, std::size_t n) {
    switch (effect) {
        case Effect::Tail: return TailValue(line, n);
        case Effect::Clipped: return ClippedValue(line, n);
        case Effect::FirstChar: return FirstCharValue(line, n);
        case Effect::SetValue: break;
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
    // The value up to the closing quote, read from a window of three characters; a value
    // longer than the window is taken up to its quote, or to the end of the line.
    const std::wstring_view rest = line.substr(std::min(n, line.size()));
    const std::size_t quote = rest.substr(0, kClipWindow).find(kQuote);
    if (quote != std::wstring_view::npos) return std::wstring(rest.substr(0, quote));
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
    // The candidates in table order, as the ladder tries them.
    for (; candidates != 0; candidates &= candidates - 1) {
        const Recogniser& r = kRecognisers[static_cast<std::size_t>(std::countr_zero(candidates))];
        if (!line.starts_with(r.compared)) continue;
        if (r.effect == Effect::SetValue) {
            view.*(r.check) = r.value;
        } else {
            view.*(r.text) = Extract(r.effect, line, r.compared.size());
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
