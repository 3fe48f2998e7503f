#include "ui/ConfigWatch.h"

namespace quorvane {
namespace {

ULONGLONG Join(DWORD high, DWORD low) { return (static_cast<ULONGLONG>(high) << 32) | low; }

}  // namespace

bool ConfigWatch::Start(const std::wstring& file) {
    file_ = file;
    const std::wstring folder = file.substr(0, file.find_last_of(L"\\/"));
    // New, replaced, renamed and deleted files, and files written to.
    notification_.reset(::FindFirstChangeNotificationW(
        folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    pending_ = static_cast<bool>(notification_);
    due_ = ::GetTickCount64();
    return pending_;
}

DWORD ConfigWatch::Timeout() const {
    if (!pending_) return INFINITE;
    const ULONGLONG now = ::GetTickCount64();
    return now >= due_ ? 0 : static_cast<DWORD>(due_ - now);
}

void ConfigWatch::Signalled() {
    // Another folder change is reported only once this one is taken.
    if (!::FindNextChangeNotification(notification_.get())) notification_.reset();
    pending_ = true;
    due_ = ::GetTickCount64() + kQuietMs;
}

bool ConfigWatch::TakeChange() {
    if (!pending_ || ::GetTickCount64() < due_) return false;
    pending_ = false;
    const Stamp now = Look();
    const bool changed = !stamped_ || now != stamp_;
    stamp_ = now;
    stamped_ = true;
    return changed;
}

ConfigWatch::Stamp ConfigWatch::Look() const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(file_.c_str(), GetFileExInfoStandard, &data)) return {};
    return {true, Join(data.nFileSizeHigh, data.nFileSizeLow),
            Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

}  // namespace quorvane
