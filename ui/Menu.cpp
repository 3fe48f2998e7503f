#include "ui/Menu.h"

#include <string>

namespace quorvane {

UniqueHmenu BuildForm1Menu() {
    UniqueHmenu bar(::CreateMenu());
    if (!bar) return {};

    for (std::size_t i = 0; i < kForm1Menu.size(); ++i) {
        const MenuSpec& entry = kForm1Menu[i];
        if (entry.level != 0) continue;
        const std::wstring caption(entry.caption);

        if (entry.command != CommandId::None) {
            if (!::AppendMenuW(bar.get(), MF_STRING, static_cast<UINT_PTR>(entry.command), caption.c_str())) return {};
            continue;
        }
        UniqueHmenu popup(::CreatePopupMenu());
        if (!popup) return {};
        for (std::size_t j = i + 1; j < kForm1Menu.size() && kForm1Menu[j].level == 1; ++j) {
            const std::wstring item(kForm1Menu[j].caption);
            if (!::AppendMenuW(popup.get(), MF_STRING, static_cast<UINT_PTR>(kForm1Menu[j].command), item.c_str())) {
                return {};
            }
        }
        // Once appended, the pull-down belongs to the bar and goes with it.
        if (!::AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), caption.c_str())) return {};
        (void)popup.release();
    }
    return bar;
}

}  // namespace quorvane
