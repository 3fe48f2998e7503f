// Arbitrary bytes as config.cfg: read as records (in pieces of many sizes, and now and
// then through a real file), cut into lines and scanned into a SettingsView.
//
// The input is the whole file. Its last bytes also serve as the plan that cuts it into
// pieces for the record reader, so libFuzzer steers where the pieces break (a CR at the
// end of one piece and its LF at the start of the next is the case that matters).

#include "config/ConfigFile.h"
#include "config/Recognisers.h"
#include "config/SettingsView.h"
#include "fuzz/FuzzCheck.h"
#include "registry/AnsiText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quorvane::ConfigLines;
using quorvane::LastRecordReader;
using quorvane::SettingsView;

// ---------------------------------------------------------------------------------------
// Records, worked out the plain way: read one record after another until the end of the
// bytes, as a sequential text read does, and keep the last one.

std::string LastRecordOf(std::string_view bytes) {
    std::string last;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::string record;
        while (at < bytes.size() && bytes[at] != '\r') record.push_back(bytes[at++]);
        if (at < bytes.size()) {
            ++at;                                                // the CR
            if (at < bytes.size() && bytes[at] == '\n') ++at;    // and a LF right behind it
        }
        last = std::move(record);
    }
    return last;
}

std::string RecordFedWhole(std::string_view bytes) {
    LastRecordReader reader;
    reader.Feed(bytes);
    return reader.Finish();
}

std::string RecordFedByteByByte(std::string_view bytes) {
    LastRecordReader reader;
    for (std::size_t i = 0; i < bytes.size(); ++i) reader.Feed(bytes.substr(i, 1));
    return reader.Finish();
}

// Piece sizes come from the plan; empty pieces are allowed. When the plan runs out, the
// rest goes in one piece.
std::string RecordFedInPieces(std::string_view bytes, FuzzedDataProvider& plan) {
    static constexpr std::array<std::size_t, 4> kLargestPiece{2, 5, 64, 5000};
    const std::size_t largest = kLargestPiece[plan.ConsumeIntegralInRange<std::size_t>(0, kLargestPiece.size() - 1)];
    LastRecordReader reader;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        std::size_t piece = bytes.size() - offset;
        if (plan.remaining_bytes() > 0) piece = std::min(piece, plan.ConsumeIntegralInRange<std::size_t>(0, largest));
        reader.Feed(bytes.substr(offset, piece));
        offset += piece;
    }
    if (plan.ConsumeBool()) reader.Feed({});
    return reader.Finish();
}

// ---------------------------------------------------------------------------------------
// The twenty settings, each decided by the last scanned line that begins with one of its
// compared texts. Looked up from the end of the scanned range backwards.

enum class Rule { Flag, Tail, Clipped, FirstChar };

struct Setting {
    std::wstring_view name;
    Rule rule;
    int SettingsView::*check = nullptr;
    std::wstring SettingsView::*text = nullptr;
    std::wstring_view valueFor0{};  // Rule::Flag: the values that give 0 and 1
    std::wstring_view valueFor1{};
};

using SV = SettingsView;

const std::array<Setting, 20> kSettings{{
    {L"cg_brass", Rule::Flag, &SV::Check1, nullptr, L"0", L"1"},
    {L"cg_drawCrosshair", Rule::Flag, &SV::Check2, nullptr, L"0", L"1"},
    {L"cg_drawFPS", Rule::Flag, &SV::Check3, nullptr, L"Off", L"Simple"},
    {L"cg_subtitles", Rule::Flag, &SV::Check4, nullptr, L"0", L"1"},
    {L"com_maxfps", Rule::Clipped, nullptr, &SV::Text1},
    {L"r_aaSamples", Rule::FirstChar, nullptr, &SV::Text2},
    {L"r_mode", Rule::Tail, nullptr, &SV::Text3},
    {L"r_fullscreen", Rule::Flag, &SV::Check5, nullptr, L"0", L"1"},
    {L"r_specular", Rule::Flag, &SV::Check6, nullptr, L"0", L"1"},
    {L"r_vsync", Rule::Flag, &SV::Check7, nullptr, L"0", L"1"},
    {L"r_shaderWarming", Rule::Flag, &SV::Check8, nullptr, L"0", L"1"},
    {L"r_aspectRatio", Rule::Tail, nullptr, &SV::Text4},
    {L"r_gamma", Rule::Tail, nullptr, &SV::Text5},
    {L"r_displayRefresh", Rule::Tail, nullptr, &SV::Text6},
    {L"r_texFilterAnisoMin", Rule::Tail, nullptr, &SV::Text8},
    {L"ragdoll_enable", Rule::Flag, &SV::Check9, nullptr, L"0", L"1"},
    {L"ragdoll_max_simulating", Rule::Tail, nullptr, &SV::Text7},
    {L"sensitivity", Rule::Tail, nullptr, &SV::Text9},
    {L"rate", Rule::Tail, nullptr, &SV::Text10},
    {L"r_motionblur_enable", Rule::Flag, &SV::Check12, nullptr, L"0", L"1"},
}};

constexpr wchar_t kQuote = L'"';

// Each setting's line begins "seta ", its name, a blank and the opening quote; a flag's
// line then has one of its two values and the closing quote.
struct Compared {
    std::wstring opening;
    std::wstring rest0;
    std::wstring rest1;
};

const std::array<Compared, kSettings.size()>& ComparedTexts() {
    static const auto texts = [] {
        std::array<Compared, kSettings.size()> t;
        for (std::size_t i = 0; i < kSettings.size(); ++i) {
            t[i].opening = L"seta " + std::wstring(kSettings[i].name) + L" \"";
            t[i].rest0 = std::wstring(kSettings[i].valueFor0) + kQuote;
            t[i].rest1 = std::wstring(kSettings[i].valueFor1) + kQuote;
        }
        return t;
    }();
    return texts;
}

std::size_t Quote(std::wstring_view line, std::size_t from) {
    std::size_t at = from;
    while (at < line.size() && line[at] != kQuote) ++at;
    return at;
}

// What a matching line puts into its text box. n is the length of the opening text.
std::wstring ValueFrom(Rule rule, std::wstring_view line, std::size_t n) {
    const std::size_t len = line.size();
    switch (rule) {
        case Rule::Tail:  // all after the opening quote but the line's last character
            return len > n ? std::wstring(line.begin() + n, line.end() - 1) : std::wstring();
        case Rule::Clipped:  // up to the closing quote (or the end of the line)
            return std::wstring(line.begin() + n, line.begin() + Quote(line, n));
        case Rule::FirstChar:
            return len > n ? std::wstring(1, line[n]) : std::wstring();
        case Rule::Flag: break;
    }
    std::abort();
}

SettingsView ExpectedView(const ConfigLines& lines) {
    SettingsView view;
    const std::size_t end = std::min<std::size_t>(lines.size(), 549);  // lines 1 to 548
    for (std::size_t k = 0; k < kSettings.size(); ++k) {
        const Setting& s = kSettings[k];
        const Compared& c = ComparedTexts()[k];
        for (std::size_t i = end; i-- > 1;) {
            const std::wstring_view line = lines[i];
            if (!line.starts_with(c.opening)) continue;
            if (s.rule == Rule::Flag) {
                const std::wstring_view rest = line.substr(c.opening.size());
                const bool is0 = rest.starts_with(c.rest0);
                const bool is1 = rest.starts_with(c.rest1);
                if (!is0 && !is1) continue;  // another value: the line matches nothing
                view.*(s.check) = is1 ? 1 : 0;
            } else {
                view.*(s.text) = ValueFrom(s.rule, line, c.opening.size());
            }
            break;
        }
    }
    return view;
}

// How many setting controls differ between two views.
int ControlsChanged(const SettingsView& a, const SettingsView& b) {
    int changed = 0;
    for (const Setting& s : kSettings) {
        if (s.check != nullptr && a.*(s.check) != b.*(s.check)) ++changed;
        if (s.text != nullptr && a.*(s.text) != b.*(s.text)) ++changed;
    }
    return changed;
}

void CheckScan(const ConfigLines& lines) {
    SettingsView view;
    quorvane::ScanConfigLines(lines, view);
    const SettingsView untouched;

    // Only setting controls change, and only to what the last matching line says.
    FUZZ_CHECK(view.Title == untouched.Title);
    FUZZ_CHECK(view.Check10 == untouched.Check10 && view.Check11 == untouched.Check11);
    FUZZ_CHECK(view == ExpectedView(lines));

    const std::size_t end = std::min<std::size_t>(lines.size(), 549);
    for (const Setting& s : kSettings) {
        if (s.check != nullptr) {
            const int value = view.*(s.check);
            FUZZ_CHECK(value == 0 || value == 1);
            continue;
        }
        // A text box keeps its first text or shows a piece of some scanned line.
        const std::wstring& text = view.*(s.text);
        if (text == untouched.*(s.text)) continue;
        bool found = false;
        for (std::size_t i = 1; i < end && !found; ++i) found = lines[i].find(text) != std::wstring_view::npos;
        FUZZ_CHECK(found);
    }

    // One line decides one control at most.
    for (std::size_t i = 1; i < end; ++i) {
        SettingsView one;
        quorvane::RecogniseLine(lines[i], one);
        FUZZ_CHECK(ControlsChanged(one, untouched) <= 1);
    }
}

// ---------------------------------------------------------------------------------------
// The real file path, taken for about one input in eight (chosen by the input's hash, so
// a crash reproduces) and for every input larger than one read of the file reader.

std::uint32_t Hash(std::string_view bytes) {
    std::uint32_t h = 2166136261u;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

class ScratchFile {
public:
    ScratchFile() {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/quorvane-fuzz-config-XXXXXX";
        const int fd = mkstemp(path_.data());
        FUZZ_CHECK(fd >= 0);
        close(fd);
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    void Write(std::string_view bytes) const {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        FUZZ_CHECK(file != nullptr);
        FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
        FUZZ_CHECK(std::fclose(file) == 0);
    }
    std::wstring WidePath() const { return std::filesystem::path(path_).wstring(); }

private:
    std::string path_;
};

void CheckFileRead(std::string_view bytes, const ConfigLines& expected) {
    static const ScratchFile scratch;
    scratch.Write(bytes);
    const std::optional<ConfigLines> read = quorvane::ReadConfigLines(scratch.WidePath());
    FUZZ_CHECK(read.has_value());
    FUZZ_CHECK(read->size() == expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) FUZZ_CHECK((*read)[i] == expected[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The record does not depend on how the bytes arrive.
    const std::string record = LastRecordOf(bytes);
    FUZZ_CHECK(RecordFedWhole(bytes) == record);
    FUZZ_CHECK(RecordFedByteByByte(bytes) == record);
    FuzzedDataProvider plan(data, size);
    FUZZ_CHECK(RecordFedInPieces(bytes, plan) == record);
    FUZZ_CHECK(record.find('\r') == std::string::npos);

    // Lines: one more than the line feeds, none for an empty record; joined with line
    // feeds again they give back the record's text.
    const ConfigLines lines = quorvane::LinesFromRecord(record);
    const std::wstring text = quorvane::AnsiToWide(record);
    FUZZ_CHECK(text.size() == record.size());
    const auto lineFeeds = static_cast<std::size_t>(std::count(record.begin(), record.end(), '\n'));
    FUZZ_CHECK(lines.size() == (record.empty() ? 0 : lineFeeds + 1));
    std::wstring joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(lines[i].find(L'\n') == std::wstring_view::npos);
        if (i > 0) joined.push_back(L'\n');
        joined.append(lines[i]);
    }
    FUZZ_CHECK(joined == text);

    CheckScan(lines);

    if (Hash(bytes) % 8 == 0 || size > 64 * 1024) CheckFileRead(bytes, lines);
    return 0;
}
