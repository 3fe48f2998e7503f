// Arbitrary bytes as config.cfg: through the line splitter, whole and a byte at a time, now
// and then with a small bound, then scanned. A property that does not hold aborts, and
// libFuzzer keeps the input; so does a sanitizer's report.

#include "config/ConfigFile.h"
#include "config/Recognisers.h"

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition) \
    if (!(condition)) std::fprintf(stderr, "property does not hold: %s\n", #condition), std::abort()

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t bound = size > 0 && data[0] % 2 == 1 ? std::size_t{1} + data[0] * 8u : kMaxLineBytes;

    // The same lines whatever the pieces: a CR and its LF may come apart.
    LineSplitter whole(bound), bytewise(bound);
    whole.Feed(bytes);
    for (const char byte : bytes) bytewise.Feed({&byte, 1});
    const std::optional<ConfigLines> read = whole.Finish();
    FUZZ_CHECK(bytewise.Finish() == read);
    if (!read) return 0;
    const ConfigLines& lines = *read;
    FUZZ_CHECK(lines.size() <= kLastScannedLine + 1);
    for (const std::wstring& line : lines) FUZZ_CHECK(line.find_first_of(L"\r\n") == std::wstring::npos);

    // Whatever the lines, the scan stays within them (the sanitizers watch it).
    SettingsView view;
    ScanConfigLines(lines, view);
    return 0;
}
