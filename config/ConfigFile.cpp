#include "config/ConfigFile.h"

#include "common/AnsiText.h"

#include <algorithm>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvane {

bool LineSplitter::Feed(std::string_view bytes) {
    for (const char byte : bytes) {
        if (!Wanted()) break;
        if (++fed_ > maxBytes_) {
            tooLong_ = true;
            break;
        }
        const bool lfOfCrLf = afterCr_ && byte == '\n';
        afterCr_ = byte == '\r';
        if (lfOfCrLf) continue;
        if (byte == '\r' || byte == '\n') {
            lines_.push_back(std::exchange(line_, {}));
        } else {
            line_ += byte;
        }
    }
    return Wanted();
}

std::optional<ConfigLines> LineSplitter::Finish() {
    if (tooLong_) return std::nullopt;
    // The last line needs no line end; only a stream with no bytes has no line.
    if (fed_ > 0 && Wanted()) lines_.push_back(std::move(line_));
    ConfigLines lines(lines_.size());
    std::transform(lines_.begin(), lines_.end(), lines.begin(), AnsiToWide);
    return lines;
}

namespace {

// The bytes lines 0 to 548 can come from, read(buffer, capacity) giving each piece (a
// count, 0 at the end, -1 on failure): up to the end, to just past the byte bound, or to
// where 549 lines have surely ended (as many CRs, or as many LFs).
template <typename Read>
std::optional<std::string> CopyLineBytes(Read read) {
    constexpr std::size_t kChunk = 256 * 1024;
    std::string bytes;
    std::size_t crs = 0, lfs = 0;
    while (bytes.size() <= kMaxLineBytes && std::max(crs, lfs) <= kLastScannedLine) {
        const std::size_t at = bytes.size();
        bytes.resize(at + kChunk);
        const long long count = read(bytes.data() + at, kChunk);
        if (count < 0) return std::nullopt;  // a folder, on some systems
        bytes.resize(at + static_cast<std::size_t>(count));
        if (count == 0) break;
        const std::string_view piece(bytes.data() + at, static_cast<std::size_t>(count));
        crs += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\r'));
        lfs += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\n'));
    }
    return bytes;
}

// config.cfg is held open only while its bytes are copied, for reading only. Shared with
// readers and with writers, so that the game can save it (truncate and write) meanwhile.
// Not with deletion: a program that deletes or replaces the file while it is held would
// otherwise lose it (a file deleted while open goes when its last handle closes, and under
// Wine takes whatever then has its name); it is refused until the copy is done instead.
// Anything that is not a file on disk (a pipe, a device, a FIFO) is not read: it may never
// end, or never answer.
std::optional<std::string> CopyConfigBytes(const std::wstring& path) {
    std::optional<std::string> bytes;
#ifdef _WIN32
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    if (::GetFileType(file) == FILE_TYPE_DISK) {
        bytes = CopyLineBytes([file](char* buffer, std::size_t capacity) {
            DWORD count = 0;
            return ::ReadFile(file, buffer, static_cast<DWORD>(capacity), &count, nullptr) ? count : -1LL;
        });
    }
    ::CloseHandle(file);
#else
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const int file = ::open(std::filesystem::path(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) return bytes;
    struct stat info {};
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes = CopyLineBytes([file](char* buffer, std::size_t capacity) -> long long {
            return ::read(file, buffer, capacity);
        });
    }
    ::close(file);
#endif
    return bytes;
}

}  // namespace

std::optional<ConfigLines> ReadConfigLines(const std::wstring& configPath) {
    const std::optional<std::string> bytes = CopyConfigBytes(configPath);
    if (!bytes) return std::nullopt;
    LineSplitter lines;
    lines.Feed(*bytes);
    return lines.Finish();
}

}  // namespace quorvane
