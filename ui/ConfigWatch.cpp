#include "ui/ConfigWatch.h"

#include <algorithm>

namespace quorvane {

FolderWatch::FolderWatch(const std::wstring& folder, std::wstring entry, DWORD filter)
    : entry_(std::move(entry)), filter_(filter) {
    // Listing access only, and every sharing: the folder can still be deleted or renamed.
    folder_.reset(::CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (folder_.get() == INVALID_HANDLE_VALUE) (void)folder_.release();
    event_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    overlapped_.hEvent = event_.get();
    armed_ = folder_ && event_ && Arm();
}

FolderWatch::~FolderWatch() {
    if (!armed_) return;
    DWORD count = 0;
    ::CancelIoEx(folder_.get(), &overlapped_);
    ::GetOverlappedResult(folder_.get(), &overlapped_, &count, TRUE);
}

bool FolderWatch::Arm() {
    return ::ReadDirectoryChangesW(folder_.get(), changes_.data(), static_cast<DWORD>(changes_.size()), FALSE,
                                   filter_, nullptr, &overlapped_, nullptr) != FALSE;
}

FolderWatch::Report FolderWatch::Take() {
    DWORD count = 0;
    if (!::GetOverlappedResult(folder_.get(), &overlapped_, &count, FALSE)) {
        armed_ = ::GetLastError() == ERROR_IO_INCOMPLETE;  // then still writing here: cancelled when dropped
        return Report::Ended;
    }
    // No names: more changed than the buffer could hold.
    bool entry = count == 0;
    for (DWORD at = 0; count >= sizeof(FILE_NOTIFY_INFORMATION) && at <= count - sizeof(FILE_NOTIFY_INFORMATION);) {
        const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(changes_.data() + at);
        const int length = static_cast<int>(std::min<DWORD>(change->FileNameLength, count - at) / sizeof(wchar_t));
        entry = entry || ::CompareStringOrdinal(change->FileName, length, entry_.c_str(), -1, TRUE) == CSTR_EQUAL;
        if (change->NextEntryOffset == 0) break;
        at += change->NextEntryOffset;
    }
    armed_ = Arm();
    return armed_ ? (entry ? Report::Entry : Report::Other) : Report::Ended;
}

void ConfigWatch::Follow() {
    pending_ = false;
    watches_.clear();
    watches_.push_back(std::make_unique<FolderWatch>(install_, L"players", FILE_NOTIFY_CHANGE_DIR_NAME));
    watches_.push_back(std::make_unique<FolderWatch>(install_ + L"\\players", L"config.cfg",
                                                     FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                                         FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    std::erase_if(watches_, [](const auto& watch) { return !watch->IsOpen(); });
}

DWORD ConfigWatch::Handles(HANDLE* handles) const {
    std::transform(watches_.begin(), watches_.end(), handles, [](const auto& watch) { return watch->event(); });
    return static_cast<DWORD>(watches_.size());
}

DWORD ConfigWatch::Timeout() const {
    if (!pending_) return INFINITE;
    const ULONGLONG now = ::GetTickCount64();
    return now >= due_ ? 0 : static_cast<DWORD>(due_ - now);
}

void ConfigWatch::Signalled(DWORD index) {
    const FolderWatch::Report report = watches_.at(index)->Take();
    if (report == FolderWatch::Report::Ended) {
        // Its folder went (players deleted, say): watched again, by path, when due.
        watches_.erase(watches_.begin() + index);
        Retry();
    } else if (report == FolderWatch::Report::Entry) {
        const ULONGLONG now = ::GetTickCount64();
        if (!pending_) first_ = now;
        pending_ = true;
        due_ = std::min(now + kQuietMs, first_ + kLatestMs);
        retryMs_ = kFirstRetryMs;
    }
}

void ConfigWatch::Retry() {
    const ULONGLONG now = ::GetTickCount64();
    due_ = pending_ ? std::min(due_, now + retryMs_) : now + retryMs_;
    if (!pending_) first_ = now;
    pending_ = true;
    retryMs_ = std::min(retryMs_ * 2, kLastRetryMs);
}

}  // namespace quorvane
