#include "config/ConfigFile.h"

#include "registry/AnsiText.h"

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
        const std::string_view part = bytes.substr(0, cr);
        if (!part.empty()) {
            current_.append(part);
            recordStarted_ = true;
        }
        if (cr == std::string_view::npos) return;

        // A record ends here. Keep it as the last one, and reuse the old one's memory.
        std::swap(last_, current_);
        current_.clear();
        recordStarted_ = false;
        afterCr_ = true;
        bytes.remove_prefix(cr + 1);
    }
}

std::string LastRecordReader::Finish() {
    if (recordStarted_) std::swap(last_, current_);
    current_.clear();
    recordStarted_ = false;
    afterCr_ = false;
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
    while (const std::size_t count = file.Read(chunk.data(), chunk.size())) {
        records.Feed({chunk.data(), count});
    }
    // A folder opens on some systems and then fails its first read.
    if (file.Failed()) return std::nullopt;
    return LinesFromRecord(records.Finish());
}

}  // namespace quorvane
