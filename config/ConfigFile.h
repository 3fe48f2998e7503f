#pragma once
// Reads config.cfg as the game reads it: a line ends at LF, at CR LF or at a CR alone,
// and the line end belongs to no line. Only lines 0 to 548 can hold what the window
// shows, so reading stops once line 548 has ended.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The file's lines from line 0: k line ends give k + 1 lines, an empty file none.
using ConfigLines = std::vector<std::wstring>;

// Lines 1 to 548 are examined; line 0 never is, nor any line after 548.
inline constexpr std::size_t kFirstScannedLine = 1;
inline constexpr std::size_t kLastScannedLine = 548;

// Lines 0 to 548 that have not ended within this many bytes make the file unreadable,
// so that a file with no line ends cannot take the program's memory or time. The game's
// own config.cfg is about 15 KB.
inline constexpr std::size_t kMaxLineBytes = std::size_t{16} << 20;

// Cuts a byte stream, fed in pieces of any size, into lines 0 to 548.
class LineSplitter {
public:
    explicit LineSplitter(std::size_t maxBytes = kMaxLineBytes) : maxBytes_(maxBytes) {}

    // Takes the stream's next bytes. False once no more are wanted: line 548 has
    // ended, or the lines have gone past the byte bound.
    bool Feed(std::string_view bytes);
    // The lines, as characters of the ANSI code page; nothing when they went past the bound.
    std::optional<ConfigLines> Finish();

private:
    bool Wanted() const { return !tooLong_ && lines_.size() <= kLastScannedLine; }

    std::size_t maxBytes_;
    std::size_t fed_ = 0;
    std::vector<std::string> lines_;
    std::string line_;
    bool afterCr_ = false;  // a LF right here ends no line: it belongs to the CR before it
    bool tooLong_ = false;
};

// Lines 0 to 548 of the file at configPath; nothing when it cannot be opened or read,
// is not a file on disk, or goes past the byte bound. The file is held only while its
// bytes are copied; they are cut into lines after it is closed.
std::optional<ConfigLines> ReadConfigLines(const std::wstring& configPath);

}  // namespace quorvane
