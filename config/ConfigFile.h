#pragma once
// Reads config.cfg as the game's text records: a record ends at CR or CR LF, and a
// lone LF is an ordinary character. Only the last record is kept, as far as its line
// 548, and it is cut at every LF into ConfigLines. A config.cfg whose lines end with
// LF alone is one record, so its lines arrive whole.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class ConfigLines {
public:
    ConfigLines() = default;
    // text cut at every LF as far as line 548: k line feeds give k + 1 elements, at
    // most 549; the empty text gives none.
    explicit ConfigLines(std::wstring text);

    std::size_t size() const { return bounds_.size(); }
    bool empty() const { return bounds_.empty(); }
    std::wstring_view operator[](std::size_t index) const {
        const Bounds& b = bounds_[index];
        return std::wstring_view(text_).substr(b.start, b.length);
    }

private:
    struct Bounds {
        std::size_t start;
        std::size_t length;
    };
    std::wstring text_;
    std::vector<Bounds> bounds_;
};

// Lines 1 to 548 are examined; line 0 never is, nor any line after 548.
inline constexpr std::size_t kFirstScannedLine = 1;
inline constexpr std::size_t kLastScannedLine = 548;

// Bounds for any input, endless ones included. No real config.cfg comes near them
// (the game's own is about 15 KB); beyond either, the file counts as unreadable.
inline constexpr std::size_t kMaxKeptBytes = std::size_t{16} << 20;     // of a record's lines 0 to 548
inline constexpr std::uint64_t kMaxReadBytes = std::uint64_t{256} << 20;  // read in all

// Keeps the last record of a byte stream fed to it in pieces of any size. Of a long
// record only what the scan can use is kept: its lines 0 to 548, at most maxKeptBytes
// of them. Memory follows those lines, not the stream.
class LastRecordReader {
public:
    explicit LastRecordReader(std::size_t maxKeptBytes = kMaxKeptBytes) : maxKeptBytes_(maxKeptBytes) {}

    void Feed(std::string_view bytes);
    // The last record, cut after its line 548 if it is long, once the whole stream has
    // been fed (empty when it held none); nothing when those lines were over the bound.
    std::optional<std::string> Finish();

    // Bytes held right now, for checking the bound.
    std::size_t MemoryInUse() const { return current_.capacity() + last_.capacity(); }

private:
    static constexpr std::size_t kSliceBytes = 64 * 1024;

    void Keep(std::string_view part);
    void CutAfterLastScannedLine();
    void EndRecord();

    std::size_t maxKeptBytes_;
    std::string current_;
    std::string last_;
    std::size_t counted_ = 0;    // bytes of current_ whose line feeds are counted
    std::size_t lineFeeds_ = 0;  // counted in the current record
    bool cut_ = false;           // the current record's line 548 has ended
    bool currentTooLong_ = false;
    bool lastTooLong_ = false;
    bool recordStarted_ = false;  // bytes of a record follow the last terminator
    bool afterCr_ = false;        // a LF right here belongs to the CR before it
};

// Owns one file opened for reading.
class InputFile {
public:
    // Opens by wide path for reading only; check IsOpen().
    explicit InputFile(const std::wstring& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // Fills buffer; returns the count read, 0 at the end. Sets Failed() on a read error.
    std::size_t Read(char* buffer, std::size_t capacity);
    bool Failed() const;

private:
    std::FILE* file_ = nullptr;
};

// The bytes of a record as characters of the ANSI code page, cut into lines.
ConfigLines LinesFromRecord(std::string_view record);

// Reads the file at configPath; nothing when it cannot be opened or read, or when it
// goes beyond a bound.
std::optional<ConfigLines> ReadConfigLines(const std::wstring& configPath);

}  // namespace quorvane
