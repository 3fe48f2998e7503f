#include "config/ConfigFile.h"
#include "config/Recognisers.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using ::testing::PrintToString;

// The first `cut` bytes in one piece, then the rest `piece` bytes at a time.
std::optional<ConfigLines> Lines(std::string_view bytes, std::size_t cut, std::size_t piece, std::size_t bound) {
    LineSplitter splitter(bound);
    splitter.Feed(bytes.substr(0, cut));
    for (bytes.remove_prefix(cut); !bytes.empty(); bytes.remove_prefix(std::min(piece, bytes.size()))) {
        splitter.Feed(bytes.substr(0, piece));
    }
    return splitter.Finish();
}

TEST(LineSplitter, EveryLineEndEndsALineWhereverThePiecesAreCut) {
    const struct {
        std::string bytes;
        std::optional<ConfigLines> lines;
        std::size_t bound = kMaxLineBytes;
    } rows[] = {
        {"p\nq\r\nr\ns", ConfigLines{L"p", L"q", L"r", L"s"}},
        {"a\rb\r\nc\n", ConfigLines{L"a", L"b", L"c", L""}},
        {"a\r\rb\n\rc", ConfigLines{L"a", L"", L"b", L"", L"c"}},
        {"a\r", ConfigLines{L"a", L""}},
        {"\r\n", ConfigLines{L"", L""}},
        {"", ConfigLines{}},
        // Lines 0 to 548 beyond the bound make the file unreadable; what follows line 548 is never read.
        {std::string(2000, 'x'), std::nullopt, 1000},
        {"short\r\n" + std::string(2000, 'x'), std::nullopt, 1000},
        {std::string(549, '\r') + std::string(2000, 'x'), ConfigLines(549), 1000},
    };
    for (const auto& row : rows) {
        for (std::size_t cut = 0; cut <= std::min<std::size_t>(row.bytes.size(), 12); ++cut) {
            for (std::size_t piece : {std::size_t{1}, row.bytes.size()}) {
                EXPECT_EQ(Lines(row.bytes, cut, piece, row.bound), row.lines)
                    << PrintToString(row.bytes.substr(0, 20)) << " cut after " << cut << ", then " << piece;
            }
        }
    }
}

// r_vsync "1" on one line of filler lines with the given line end: only lines 1 to 548
// are scanned, and nothing after line 548 is wanted.
TEST(LineSplitter, OnlyLinesOneTo548AreReadAndScanned) {
    const struct {
        std::size_t lines, at;
        std::string end;
        bool seen;
    } rows[] = {{600, 0, "\n", false}, {600, 1, "\n", true},      {600, 548, "\n", true}, {600, 549, "\n", false},
                {600, 548, "\r\n", true}, {600, 549, "\r\n", false}, {600, 548, "\r", true}, {549, 548, "\n", true},
                {10, 9, "\r\n", true}};
    for (const auto& row : rows) {
        std::string bytes;
        for (std::size_t i = 0; i < row.lines; ++i) {
            bytes += (i == row.at ? "seta r_vsync \"1\"" : "x") + (i + 1 < row.lines ? row.end : "");
        }
        LineSplitter splitter;
        EXPECT_EQ(splitter.Feed(bytes), row.lines <= kLastScannedLine + 1) << "whether more is wanted";
        SettingsView view;
        ScanConfigLines(*splitter.Finish(), view);
        EXPECT_EQ(view != SettingsView{}, row.seen)
            << row.lines << " lines ended by " << PrintToString(row.end) << ", the setting on line " << row.at;
    }
}

}  // namespace
}  // namespace quorvane
