#include "config/ConfigFile.h"

#include "common/AnsiText.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <utility>

#ifdef _WIN32
#include <share.h>
#endif

namespace quorvane {

ConfigLines::ConfigLines(std::wstring text) : text_(std::move(text)) {
    if (text_.empty()) return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = text_.find(L'\n', start);
        if (lf == std::wstring::npos) {
            bounds_.push_back({start, text_.size() - start});
            return;
        }
        bounds_.push_back({start, lf - start});
        start = lf + 1;
    }
}

void LastRecordReader::Feed(std::string_view bytes) {
    while (!bytes.empty()) {
        if (afterCr_) {
            afterCr_ = false;
            if (bytes.front() == '\n') {
                bytes.remove_prefix(1);
                continue;
            }
        }
        const std::size_t cr = bytes.find('\r');
        Keep(bytes.substr(0, cr));
        if (cr == std::string_view::npos) return;
        EndRecord();
        afterCr_ = true;
        bytes.remove_prefix(cr + 1);
    }
}

void LastRecordReader::Keep(std::string_view part) {
    if (part.empty()) return;
    recordStarted_ = true;
    // Past the LF that ends line 548, the rest of the record only passes by.
    while (!part.empty() && lineFeeds_ <= kLastScannedLine && !currentTooLong_) {
        const std::size_t lf = part.find('\n');
        const std::string_view line = part.substr(0, lf);
        if (current_.size() + line.size() >= maxKeptBytes_) {
            currentTooLong_ = true;
            return;
        }
        current_.append(line);
        if (lf == std::string_view::npos) return;
        if (++lineFeeds_ <= kLastScannedLine) current_.push_back('\n');
        part.remove_prefix(lf + 1);
    }
}

void LastRecordReader::EndRecord() {
    // Keep it as the last one, and reuse the old one's memory.
    std::swap(last_, current_);
    current_.clear();
    lastTooLong_ = currentTooLong_;
    currentTooLong_ = false;
    lineFeeds_ = 0;
    recordStarted_ = false;
}

std::optional<std::string> LastRecordReader::Finish() {
    if (recordStarted_) EndRecord();
    afterCr_ = false;
    current_.clear();
    if (lastTooLong_) return std::nullopt;
    return std::move(last_);
}

InputFile::InputFile(const std::wstring& path) {
#ifdef _WIN32
    // Others may go on reading and writing the file while it is open here.
    file_ = _wfsopen(path.c_str(), L"rb", _SH_DENYNO);
#else
    file_ = std::fopen(std::filesystem::path(path).string().c_str(), "rb");
#endif
}

InputFile::~InputFile() {
    if (file_ != nullptr) std::fclose(file_);
}

std::size_t InputFile::Read(char* buffer, std::size_t capacity) {
    return file_ == nullptr ? 0 : std::fread(buffer, 1, capacity, file_);
}

bool InputFile::Failed() const { return file_ == nullptr || std::ferror(file_) != 0; }

ConfigLines LinesFromRecord(std::string_view record) { return ConfigLines(AnsiToWide(record)); }

std::optional<ConfigLines> ReadConfigLines(const std::wstring& configPath) {
    InputFile file(configPath);
    if (!file.IsOpen()) return std::nullopt;

    LastRecordReader records;
    std::array<char, 64 * 1024> chunk;
    std::uint64_t total = 0;
    while (const std::size_t count = file.Read(chunk.data(), chunk.size())) {
        total += count;
        if (total > kMaxReadBytes) return std::nullopt;  // endless, or far too big
        records.Feed({chunk.data(), count});
    }
    // A folder opens on some systems and then fails its first read.
    if (file.Failed()) return std::nullopt;
    std::optional<std::string> record = records.Finish();
    if (!record) return std::nullopt;
    return LinesFromRecord(*record);
}

}  // namespace quorvane
