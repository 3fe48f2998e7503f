#pragma once
// Tells the message loop when to read config.cfg again. Windows names each changed entry
// of a watched folder (ReadDirectoryChangesW, on events the loop waits on beside its
// messages: no timer, no thread): the players folder is watched for config.cfg, and the
// install folder for players coming and going. Nothing above the install folder is
// watched, and no tree: each watch sees its own folder's entries only.

#include "ui/UniqueHandle.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace quorvane {

// One folder, watched for changes to one of its entries.
class FolderWatch {
public:
    // Watches `folder` for `filter` changes (FILE_NOTIFY_CHANGE_...) to `entry`; check IsOpen().
    FolderWatch(const std::wstring& folder, std::wstring entry, DWORD filter);
    // Cancels the pending request and waits for it to end, since it writes into this object.
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    bool IsOpen() const { return armed_; }
    HANDLE event() const { return event_.get(); }
    enum class Report { Other, Entry, Ended };
    // Once event() is set: whether the entry changed (or may have: more changed than the
    // buffer holds), or only other entries did, or the watch has ended (its folder went).
    // Watches on, but for an end.
    Report Take();

private:
    bool Arm();

    UniqueKernelHandle folder_;
    UniqueKernelHandle event_;
    std::wstring entry_;
    DWORD filter_;
    bool armed_ = false;
    OVERLAPPED overlapped_{};
    alignas(DWORD) std::array<BYTE, 4096> changes_{};
};

class ConfigWatch {
public:
    // A burst of writes is read once, when config.cfg has been quiet this long, but never
    // later than kLatestMs after the first change not yet read.
    static constexpr ULONGLONG kQuietMs = 200;
    static constexpr ULONGLONG kLatestMs = 800;
    // A read that failed, or a watch that ended, is tried again after this long, twice as
    // long each time it fails again, up to kLastRetryMs.
    static constexpr ULONGLONG kFirstRetryMs = 250;
    static constexpr ULONGLONG kLastRetryMs = 8000;
    static constexpr DWORD kMaxHandles = 2;

    // Follows installFolder\players\config.cfg from now on.
    void Start(const std::wstring& installFolder) {
        install_ = installFolder;
        Follow();
    }
    // Watches again, by path: the folders may have gone, come back or been swapped since.
    // Call just before each read, so that no change after it goes unseen.
    void Follow();
    // A read failed, or a watch ended: read again later, and watch again then.
    void Retry();

    // What the loop waits on beside its messages (up to kMaxHandles), and for how long.
    DWORD Handles(HANDLE* handles) const;
    DWORD Timeout() const;
    // Handle `index` of Handles() was set.
    void Signalled(DWORD index);
    // Whether config.cfg is to be read now.
    bool Due() const { return pending_ && ::GetTickCount64() >= due_; }

private:
    std::wstring install_;
    // The install folder, watched for players, and players, watched for config.cfg, if they are there.
    std::vector<std::unique_ptr<FolderWatch>> watches_;
    bool pending_ = false;
    ULONGLONG first_ = 0;  // GetTickCount64 of the first change not yet read
    ULONGLONG due_ = 0;
    ULONGLONG retryMs_ = kFirstRetryMs;
};

}  // namespace quorvane
