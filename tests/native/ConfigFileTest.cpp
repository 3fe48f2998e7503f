#include "config/ConfigFile.h"
#include "config/Recognisers.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using ::testing::PrintToString;

// Fed whole, and a byte at a time so that every CR and the LF after it come apart.
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
        LineSplitter whole(row.bound), bytewise(row.bound);
        whole.Feed(row.bytes);
        for (const char byte : row.bytes) bytewise.Feed({&byte, 1});
        EXPECT_EQ(whole.Finish(), row.lines) << PrintToString(row.bytes.substr(0, 20));
        EXPECT_EQ(bytewise.Finish(), row.lines) << PrintToString(row.bytes.substr(0, 20)) << " a byte at a time";
    }
}

// r_vsync "1" on one line, r_vsync "0" on every line before it and filler after it, with
// the given line end: only lines 1 to 548 are scanned, the last match wins, and nothing
// after line 548 is wanted.
TEST(LineSplitter, OnlyLinesOneTo548AreReadAndScannedAndTheLastMatchWins) {
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
            bytes += (i == row.at ? "seta r_vsync \"1\"" : i < row.at ? "seta r_vsync \"0\"" : "x") +
                     (i + 1 < row.lines ? row.end : "");
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
