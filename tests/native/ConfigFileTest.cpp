#include "config/ConfigFile.h"
#include "tests/native/TempFiles.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <vector>

namespace quorvane {
namespace {

std::vector<std::wstring> Elements(const ConfigLines& lines) {
    std::vector<std::wstring> out;
    for (std::size_t i = 0; i < lines.size(); ++i) out.emplace_back(lines[i]);
    return out;
}

using Lines = std::vector<std::wstring>;

std::string LastRecord(const std::string& bytes, std::size_t piece) {
    LastRecordReader reader;
    for (std::size_t at = 0; at < bytes.size(); at += piece) reader.Feed(std::string_view(bytes).substr(at, piece));
    return reader.Finish();
}

TEST(LastRecordReader, RecordsEndAtCrOrCrLfAndOnlyTheLastSurvives) {
    const struct {
        std::string bytes;
        std::string last;
    } cases[] = {
        {"", ""},
        {"one line", "one line"},
        {"a\nb\nc\n", "a\nb\nc\n"},                      // LF alone is an ordinary character
        {"p\nq\r\nr\ns", "r\ns"},
        {"first\rsecond", "second"},
        {"first\r\nsecond\r\n", "second"},
        {"first\rsecond\r", "second"},
        {"a\r\r", ""},                                   // an empty record after the first
        {"a\r\r\n", ""},
        {"a\r\n\r\n", ""},
        {"a\r\n\nb", "\nb"},                             // only one LF belongs to the CR
        {"\r", ""},
        {"\n", "\n"},
        {"x\r\ry", "y"},
    };
    for (const auto& c : cases) {
        for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{64}}) {
            EXPECT_EQ(LastRecord(c.bytes, piece), c.last) << "input of " << c.bytes.size() << " bytes fed "
                                                          << piece << " at a time";
        }
    }
}

TEST(ConfigLines, CutAtEveryLineFeed) {
    EXPECT_EQ(Elements(ConfigLines(L"")), Lines{});
    EXPECT_EQ(Elements(ConfigLines(L"one")), Lines{L"one"});
    EXPECT_EQ(Elements(ConfigLines(L"a\nb\n")), (Lines{L"a", L"b", L""}));
    EXPECT_EQ(Elements(ConfigLines(L"a\n\nb")), (Lines{L"a", L"", L"b"}));
    EXPECT_EQ(Elements(ConfigLines(L"\n")), (Lines{L"", L""}));
    EXPECT_EQ(Elements(ConfigLines(L"keeps\rcr\n")), (Lines{L"keeps\rcr", L""}));
}

TEST(ConfigLines, SurviveBeingMoved) {
    ConfigLines first(L"x\ny");  // short enough to live inside the string object
    ConfigLines moved = std::move(first);
    EXPECT_EQ(Elements(moved), (Lines{L"x", L"y"}));
}

TEST(ReadConfigLines, ReadsTheFileFromDisk) {
    testing::TempFolder folder;
    const auto lf = folder.Write("lf.cfg", "// comment\nseta a \"1\"\nseta b \"2\"\n");
    EXPECT_EQ(Elements(*ReadConfigLines(lf.wstring())), (Lines{L"// comment", L"seta a \"1\"", L"seta b \"2\"", L""}));

    const auto mixed = folder.Write("mixed.cfg", "p\nq\r\nr\ns");
    EXPECT_EQ(Elements(*ReadConfigLines(mixed.wstring())), (Lines{L"r", L"s"}));

    const auto empty = folder.Write("empty.cfg", "");
    ASSERT_TRUE(ReadConfigLines(empty.wstring()).has_value());
    EXPECT_TRUE(ReadConfigLines(empty.wstring())->empty());
}

TEST(ReadConfigLines, HighBytesBecomeWindows1252Characters) {
    testing::TempFolder folder;
    const auto file = folder.Write("high.cfg", "x\nseta name \"\x80\xE9\xFF\x81\"\n");
    EXPECT_EQ(Elements(*ReadConfigLines(file.wstring())), (Lines{L"x", L"seta name \"\u20ac\u00e9\u00ff\u0081\"", L""}));
}

TEST(ReadConfigLines, MissingFileOrFolderCannotBeRead) {
    testing::TempFolder folder;
    EXPECT_FALSE(ReadConfigLines((folder.path() / "absent.cfg").wstring()).has_value());
    std::filesystem::create_directory(folder.path() / "config.cfg");
    EXPECT_FALSE(ReadConfigLines((folder.path() / "config.cfg").wstring()).has_value());
}

TEST(ReadConfigLines, LargeFileOfShortCrRecordsIsNeverHeldWhole) {
    testing::TempFolder folder;
    const auto file = folder.path() / "big.cfg";
    {
        std::ofstream out(file, std::ios::binary);
        const std::string block = [] {
            std::string b;
            for (int i = 0; i < 1000; ++i) b += "seta some_setting \"" + std::to_string(i) + "\"\r\n";
            return b;
        }();
        for (int i = 0; i < 64 * 1024 * 1024 / static_cast<int>(block.size()); ++i) out << block;
        out << "seta last \"1\"";
    }
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto lines = ReadConfigLines(file.wstring());
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(Elements(*lines), Lines{L"seta last \"1\""});
    // ru_maxrss is in kilobytes; a 64 MB file held whole would add far more than 16 MB.
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 16 * 1024);
}

}  // namespace
}  // namespace quorvane
