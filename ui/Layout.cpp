#include "ui/Layout.h"

#include <algorithm>

namespace quorvane {
namespace {

// The rules the table keeps, checked when the program is compiled.

constexpr bool LabelsFitTheirCaptions() {
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.kind != ControlKind::Label) continue;
        if (entry.twips.width != kLabelCellWidthTwips * static_cast<int>(entry.caption.size())) return false;
        if (entry.twips.height != kLabelCellHeightTwips) return false;
    }
    return true;
}

constexpr bool EverySettingControlHasOneLabel() {
    for (const ControlSpec& control : kForm1Layout) {
        const bool named = control.kind == ControlKind::CheckBox || control.kind == ControlKind::TextBox;
        int labels = 0;
        for (const ControlSpec& label : kForm1Layout) {
            if (label.kind == ControlKind::Label && label.names == control.id) ++labels;
        }
        if (labels != (named ? 1 : 0)) return false;
    }
    for (const ControlSpec& label : kForm1Layout) {
        if (label.kind == ControlKind::Label && FindControl(label.names) == nullptr) return false;
    }
    return true;
}

constexpr bool IdsAndTabPositionsAreUnique() {
    for (std::size_t i = 0; i < kForm1Layout.size(); ++i) {
        for (std::size_t j = i + 1; j < kForm1Layout.size(); ++j) {
            if (kForm1Layout[i].id == kForm1Layout[j].id) return false;
            if (kForm1Layout[i].tabIndex == kForm1Layout[j].tabIndex) return false;
        }
    }
    return true;
}

constexpr bool NothingOverlaps() {
    for (std::size_t i = 0; i < kForm1Layout.size(); ++i) {
        for (std::size_t j = i + 1; j < kForm1Layout.size(); ++j) {
            const TwipRect& a = kForm1Layout[i].twips;
            const TwipRect& b = kForm1Layout[j].twips;
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                               a.top + a.height <= b.top || b.top + b.height <= a.top;
            if (!apart) return false;
        }
    }
    return true;
}

constexpr bool EverythingInsideTheClientArea() {
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.twips.left < 0 || entry.twips.top < 0) return false;
        if (entry.twips.left + entry.twips.width > kClientWidthTwips) return false;
        if (entry.twips.top + entry.twips.height > kClientHeightTwips) return false;
    }
    return true;
}

static_assert(LabelsFitTheirCaptions(), "a label is 90 twips a character wide and 120 high");
static_assert(EverySettingControlHasOneLabel(), "each check box and text box is named by exactly one label");
static_assert(IdsAndTabPositionsAreUnique(), "ids and tab positions are unique");
static_assert(NothingOverlaps(), "no two controls overlap");
static_assert(EverythingInsideTheClientArea(), "every control lies inside the client area");
static_assert(TwipsToPixels(kClientWidthTwips, 96) == 437 && TwipsToPixels(kClientHeightTwips, 96) == 281);

}  // namespace

std::array<const ControlSpec*, kForm1Layout.size()> CreationOrder() {
    std::array<const ControlSpec*, kForm1Layout.size()> controls{};
    std::size_t count = 0;
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.kind != ControlKind::Label) controls[count++] = &entry;
    }
    std::sort(controls.begin(), controls.begin() + static_cast<std::ptrdiff_t>(count),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });

    std::array<const ControlSpec*, kForm1Layout.size()> order{};
    std::size_t next = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (const ControlSpec* label = FindLabelFor(controls[i]->id)) order[next++] = label;
        order[next++] = controls[i];
    }
    return order;
}

}  // namespace quorvane
