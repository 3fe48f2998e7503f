#pragma once
// Messages that Windows only ever sends, never posts, and a timer callback this thread
// never set: a posted one comes from another program, with a pointer that may point
// anywhere. While a filter lives, whichever loop of its thread retrieves such a message
// (the program's own, a message box's, a menu's, a move's) gets WM_NULL instead.

#include "ui/UniqueHandle.h"

namespace quorvane {

class ForgedMessageFilter {
public:
    ForgedMessageFilter();
    // Check before relying on it.
    bool IsActive() const { return static_cast<bool>(hook_); }

private:
    UniqueHhook hook_;
};

}  // namespace quorvane
