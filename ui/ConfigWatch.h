#pragma once
// Tells the message loop when config.cfg has changed: the platform's change notification
// on its folder, a handle the loop waits on beside its messages, and a quiet moment after
// the last change before the file is read. No timer and no thread.

#include "ui/UniqueHandle.h"

#include <string>

namespace quorvane {

class ConfigWatch {
public:
    // A burst of writes is read once, when the folder has been quiet this long.
    static constexpr ULONGLONG kQuietMs = 200;

    // Watches the folder of `file`; false when there is no such folder. The file is
    // looked at once soon after, so that a change since it was last read is not missed.
    bool Start(const std::wstring& file);

    // What the loop waits on beside its messages (null when not watching), and for how long.
    HANDLE handle() const { return notification_ ? notification_.get() : nullptr; }
    DWORD Timeout() const;
    // The folder changed: looked at once it has been quiet for kQuietMs.
    void Signalled();
    // True once, when the folder has been quiet long enough and the file's size, time or
    // presence is not what it was when last looked at; a change to another file of the
    // folder gives false.
    bool TakeChange();

private:
    struct Stamp {
        bool exists = false;
        ULONGLONG size = 0;
        ULONGLONG written = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp Look() const;

    std::wstring file_;
    UniqueFindChangeHandle notification_;
    bool pending_ = false;
    ULONGLONG due_ = 0;  // GetTickCount64 when a pending change is looked at
    Stamp stamp_;
    bool stamped_ = false;
};

}  // namespace quorvane
