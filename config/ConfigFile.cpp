#include "config/ConfigFile.h"

#include "common/AnsiText.h"

#include <algorithm>
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
    bounds_.reserve(std::min(text_.size(), kLastScannedLine) + 1);
    // Lines are short: an inline search beats a library call per line.
    const wchar_t* const begin = text_.data();
    const wchar_t* const end = begin + text_.size();
    for (const wchar_t* start = begin;;) {
        const wchar_t* const lf = std::find(start, end, L'\n');
        bounds_.push_back({static_cast<std::size_t>(start - begin), static_cast<std::size_t>(lf - start)});
        if (lf == end || bounds_.size() > kLastScannedLine) return;
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
    // A record of ordinary size is kept as it comes. Once it grows past that, its
    // lines are counted as they arrive and it is cut at the LF that ends line 548;
    // the rest of the record only passes by.
    const std::size_t uncounted = std::min(kSliceBytes, maxKeptBytes_);
    while (!part.empty() && !cut_ && !currentTooLong_) {
        const std::string_view slice = part.substr(0, kSliceBytes);
        part.remove_prefix(slice.size());
        current_.append(slice);
        if (current_.size() > uncounted) CutAfterLastScannedLine();
    }
}

void LastRecordReader::CutAfterLastScannedLine() {
    for (std::size_t at = counted_; (at = current_.find('\n', at)) != std::string::npos; ++at) {
        if (++lineFeeds_ > kLastScannedLine) {
            current_.resize(at);
            cut_ = true;
            break;
        }
    }
    counted_ = current_.size();
    if (current_.size() > maxKeptBytes_) {
        currentTooLong_ = true;
        std::string().swap(current_);  // never used: let its memory go now
    }
}

void LastRecordReader::EndRecord() {
    // Keep it as the last one, and reuse the old one's memory.
    std::swap(last_, current_);
    current_.clear();
    lastTooLong_ = currentTooLong_;
    currentTooLong_ = false;
    cut_ = false;
    lineFeeds_ = 0;
    counted_ = 0;
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
