#include "config/ConfigFile.h"
#include "config/Recognisers.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using ::testing::PrintToString;

// The first `cut` bytes in one piece, then the rest `piece` bytes at a time.
std::optional<std::string> LastRecord(std::string_view bytes, std::size_t cut, std::size_t piece) {
    LastRecordReader reader;
    reader.Feed(bytes.substr(0, cut));
    for (bytes.remove_prefix(cut); !bytes.empty(); bytes.remove_prefix(std::min(piece, bytes.size()))) {
        reader.Feed(bytes.substr(0, piece));
    }
    return reader.Finish();
}

TEST(LastRecordReader, RecordsEndAtCrOrCrLfAndTheLastIsKept) {
    const struct {
        std::string bytes, last;
    } rows[] = {
        {"a\rb", "b"},       {"a\r\nb\r\n", "b"}, {"a\nb\n", "a\nb\n"}, {"p\nq\r\nr\ns", "r\ns"},
        {"a\r\n\nb", "\nb"}, {"a\r\r", ""},       {"a\r\n\r\n", ""},    {"a\r\nb\rc\r\n", "c"},
    };
    for (const auto& row : rows) {
        for (std::size_t cut = 0; cut <= row.bytes.size(); ++cut) {
            for (std::size_t piece : {std::size_t{1}, row.bytes.size()}) {
                EXPECT_EQ(LastRecord(row.bytes, cut, piece), row.last)
                    << PrintToString(row.bytes) << " cut after " << cut << ", then " << piece << " at a time";
            }
        }
    }
}

// r_vsync "1" on one line of a record of filler lines, through the reader and the scan.
TEST(LastRecordReader, OnlyLinesOneTo548AreScanned) {
    const struct {
        std::size_t lines, at;
        bool seen;
    } rows[] = {{600, 0, false}, {600, 1, true}, {600, 548, true}, {600, 549, false}, {10, 9, true}};
    for (const auto& row : rows) {
        std::string bytes = "// head\r\n";
        for (std::size_t i = 0; i < row.lines; ++i) bytes += i == row.at ? "seta r_vsync \"1\"\n" : "x\n";
        LastRecordReader reader;
        reader.Feed(bytes);
        SettingsView view;
        ScanConfigLines(LinesFromRecord(*reader.Finish()), view);
        EXPECT_EQ(view != SettingsView{}, row.seen) << row.lines << " lines, the setting on line " << row.at;
    }
}

TEST(LastRecordReader, MemoryIsBoundedWhateverTheInput) {
    // 300 MB of LF-only lines, one record, fed 64 KB at a time: only lines 0 to 548 are
    // kept, and memory stays within a few pieces.
    std::string chunk;
    while (chunk.size() < 64 * 1024) chunk += "seta line_" + std::to_string(chunk.size()) + " \"1\"\n";
    chunk.resize(64 * 1024);
    std::size_t lineFeeds = 0, end = 0;
    while (lineFeeds <= kLastScannedLine) lineFeeds += chunk[end++] == '\n';
    LastRecordReader reader;
    for (int i = 0; i < 300 * 16; ++i) {
        reader.Feed(chunk);
        ASSERT_LT(reader.MemoryInUse(), 256u * 1024) << "after " << i + 1 << " pieces of 64 KB";
    }
    EXPECT_EQ(reader.Finish(), chunk.substr(0, end - 1));

    // Lines 0 to 548 over the bound: nothing; longer lines after 548 do not count; a record
    // over the bound followed by a short last one does not spoil it.
    const struct {
        std::string bytes;
        std::optional<std::string> last;
    } rows[] = {
        {std::string(2000, 'x'), std::nullopt},
        {std::string(549, '\n') + std::string(2000, 'x'), std::string(548, '\n')},
        {std::string(2000, 'x') + "\r\nshort", "short"},
    };
    for (const auto& row : rows) {
        LastRecordReader bounded(1000);
        bounded.Feed(row.bytes);
        EXPECT_EQ(bounded.Finish(), row.last) << PrintToString(row.bytes);
    }
}

}  // namespace
}  // namespace quorvane
