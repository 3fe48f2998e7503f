#include "config/ConfigFile.h"

#include "common/AnsiText.h"

#include <algorithm>
#include <array>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include <io.h>
#include <share.h>
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

// A running game may hold config.cfg open, for reading or writing: it is opened for
// reading only, and shared with both.
InputFile::InputFile(const std::wstring& path) {
#ifdef _WIN32
    file_ = _wfsopen(path.c_str(), L"rb", _SH_DENYNO);
    // A pipe or a device may never end, or never answer.
    const bool onDisk = file_ && ::GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file_)))) == FILE_TYPE_DISK;
#else
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const int fd = ::open(std::filesystem::path(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || !(file_ = ::fdopen(fd, "rb")))) ::close(fd);
    const bool onDisk = file_ != nullptr;
#endif
    if (file_ && !onDisk) std::fclose(std::exchange(file_, nullptr));
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
