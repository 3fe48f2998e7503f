#include "config/ConfigFile.h"

#include "common/AnsiText.h"

#include <algorithm>
#include <array>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
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

// A running game may hold config.cfg open, for reading or writing, and may replace or
// delete it while this program reads: it is opened for reading only, and shared with all of that.
InputFile::InputFile(const std::wstring& path) {
#ifdef _WIN32
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    // A pipe or a device may never end, or never answer.
    const bool onDisk = ::GetFileType(handle) == FILE_TYPE_DISK;
    const int fd = onDisk ? _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY) : -1;
    if (fd < 0) {
        ::CloseHandle(handle);
    } else if ((file_ = _fdopen(fd, "rb")) == nullptr) {
        _close(fd);
    }
#else
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const int fd = ::open(std::filesystem::path(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || !(file_ = ::fdopen(fd, "rb")))) ::close(fd);
#endif
}

InputFile::~InputFile() {
    if (file_ != nullptr) std::fclose(file_);
}

std::size_t InputFile::Read(char* buffer, std::size_t capacity) {
    return file_ == nullptr ? 0 : std::fread(buffer, 1, capacity, file_);
}

bool InputFile::Failed() const { return file_ == nullptr || std::ferror(file_) != 0; }

std::optional<ConfigLines> ReadConfigLines(const std::wstring& configPath) {
    InputFile file(configPath);
    if (!file.IsOpen()) return std::nullopt;
    LineSplitter lines;
    std::array<char, 64 * 1024> chunk;
    while (const std::size_t count = file.Read(chunk.data(), chunk.size())) {
        if (!lines.Feed({chunk.data(), count})) break;
    }
    // A folder opens on some systems and then fails its first read.
    if (file.Failed()) return std::nullopt;
    return lines.Finish();
}

}  // namespace quorvane
