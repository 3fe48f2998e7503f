// Arbitrary bytes as config.cfg: through the line splitter (whole, and in pieces that the
// input's last bytes decide, so that a CR and its LF land in different pieces), now and then
// with a small bound, then scanned. A property that does not hold aborts, and libFuzzer
// keeps the input.

#include "config/ConfigFile.h"
#include "config/Recognisers.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition) \
    if (!(condition)) std::fprintf(stderr, "property does not hold: %s\n", #condition), std::abort()

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FuzzedDataProvider plan(data, size);
    const std::size_t bound = plan.ConsumeBool() ? plan.ConsumeIntegralInRange<std::size_t>(1, 2048) : kMaxLineBytes;

    // The same lines whatever the pieces.
    LineSplitter whole(bound), pieces(bound);
    whole.Feed(bytes);
    for (std::size_t at = 0; at < size;) {
        const std::size_t piece = plan.remaining_bytes() > 0 ? plan.ConsumeIntegralInRange<std::size_t>(0, 64) : size;
        pieces.Feed(bytes.substr(at, piece));
        at += std::min(piece, size - at);
    }
    const std::optional<ConfigLines> read = whole.Finish();
    FUZZ_CHECK(pieces.Finish() == read);
    if (!read) return 0;
    const ConfigLines& lines = *read;
    FUZZ_CHECK(lines.size() <= kLastScannedLine + 1);
    for (const std::wstring& line : lines) FUZZ_CHECK(line.find_first_of(L"\r\n") == std::wstring::npos);

    // Check boxes only 0 or 1, the path boxes and the title untouched, and every text
    // shown cut from a scanned line.
    SettingsView view;
    ScanConfigLines(lines, view);
    FUZZ_CHECK(view.Title == SettingsView{}.Title && view.Check[10] == 0 && view.Check[11] == 0);
    for (const int box : view.Check) FUZZ_CHECK(box == 0 || box == 1);
    for (const std::wstring& text : view.Text) {
        bool cut = text == L"0";
        for (std::size_t i = kFirstScannedLine; i < lines.size() && !cut; ++i) {
            cut = lines[i].find(text) != std::wstring_view::npos;
        }
        FUZZ_CHECK(cut);
    }
    return 0;
}
