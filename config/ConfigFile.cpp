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

// config.cfg, held open for reading only. Shared with readers and with writers, so that
// the game can save it (truncate and write) while it is read. Not with deletion: a
// program that deletes or replaces the file while it is held would otherwise lose it
// (Windows, and Wine, remove a file deleted while open when its last handle closes,
// whatever then has its name); such a program is refused until the copy is done instead.
// Anything that is not a file on disk (a pipe, a device, a folder) is not opened.
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool IsOpen() const;
    // Fills buffer; count is 0 at the end. False on a read error.
    bool Read(char* buffer, std::size_t capacity, std::size_t& count);

private:
#ifdef _WIN32
    HANDLE file_ = INVALID_HANDLE_VALUE;
#else
    int file_ = -1;
#endif
};

#ifdef _WIN32
HeldFile::HeldFile(const std::wstring& path) {
    file_ = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    // A pipe or a device may never end, or never answer.
    if (IsOpen() && ::GetFileType(file_) != FILE_TYPE_DISK) {
        ::CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
}
HeldFile::~HeldFile() {
    if (IsOpen()) ::CloseHandle(file_);
}
bool HeldFile::IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
bool HeldFile::Read(char* buffer, std::size_t capacity, std::size_t& count) {
    DWORD read = 0;
    const bool ok = ::ReadFile(file_, buffer, static_cast<DWORD>(capacity), &read, nullptr) != FALSE;
    count = read;
    return ok;
}
#else
HeldFile::HeldFile(const std::wstring& path) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    file_ = ::open(std::filesystem::path(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (IsOpen() && (::fstat(file_, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(file_);
        file_ = -1;
    }
}
HeldFile::~HeldFile() {
    if (IsOpen()) ::close(file_);
}
bool HeldFile::IsOpen() const { return file_ >= 0; }
bool HeldFile::Read(char* buffer, std::size_t capacity, std::size_t& count) {
    const ssize_t read = ::read(file_, buffer, capacity);
    count = read > 0 ? static_cast<std::size_t>(read) : 0;
    return read >= 0;
}
#endif

// The bytes lines 0 to 548 can come from: up to the end, to just past the byte bound, or
// to where 549 lines have surely ended (as many CRs, or as many LFs).
std::optional<std::string> CopyLineBytes(const std::wstring& path) {
    HeldFile file(path);
    if (!file.IsOpen()) return std::nullopt;
    constexpr std::size_t kChunk = 256 * 1024;
    std::string bytes;
    std::size_t crs = 0, lfs = 0;
    while (bytes.size() <= kMaxLineBytes && std::max(crs, lfs) <= kLastScannedLine) {
        const std::size_t at = bytes.size();
        std::size_t count = 0;
        bytes.resize(at + kChunk);
        if (!file.Read(bytes.data() + at, kChunk, count)) return std::nullopt;  // a folder, on some systems
        bytes.resize(at + count);
        if (count == 0) break;
        const std::string_view piece(bytes.data() + at, count);
        crs += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\r'));
        lfs += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\n'));
    }
    return bytes;
}

}  // namespace

std::optional<ConfigLines> ReadConfigLines(const std::wstring& configPath) {
    const std::optional<std::string> bytes = CopyLineBytes(configPath);
    if (!bytes) return std::nullopt;
    LineSplitter lines;
    lines.Feed(*bytes);
    return lines.Finish();
}

}  // namespace quorvane
