#include "ui/Layout.h"

namespace quorvane {
namespace {

// The rules the table keeps, checked when the program is compiled.

constexpr bool LabelsFitTheirCaptions() {
    for (const ControlSpec& entry : kForm1Layout) {
        if (entry.kind != ControlKind::Label) continue;
        if (entry.twips.width != kLabelCellWidthTwips * static_cast<int>(entry.caption.size())) return false;
    }
    return true;
}

// A label comes right before each check box and text box, and before nothing else.
constexpr bool EverySettingControlHasItsLabelBeforeIt() {
    for (std::size_t i = 0; i < kForm1Layout.size(); ++i) {
        const ControlKind kind = kForm1Layout[i].kind;
        const bool named = kind == ControlKind::CheckBox || kind == ControlKind::TextBox;
        if (named != (i > 0 && kForm1Layout[i - 1].kind == ControlKind::Label)) return false;
        if (kind == ControlKind::Label && (i + 1 == kForm1Layout.size() || kForm1Layout[i + 1].kind == ControlKind::Label)) {
            return false;
        }
    }
    return true;
}

constexpr bool IdsAreUniqueAndNothingOverlaps() {
    for (std::size_t i = 0; i < kForm1Layout.size(); ++i) {
        for (std::size_t j = i + 1; j < kForm1Layout.size(); ++j) {
            const TwipRect& a = kForm1Layout[i].twips;
            const TwipRect& b = kForm1Layout[j].twips;
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                               a.top + a.height <= b.top || b.top + b.height <= a.top;
            if (!apart || kForm1Layout[i].id == kForm1Layout[j].id) return false;
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

static_assert(LabelsFitTheirCaptions(), "a label is 90 twips a character wide");
static_assert(EverySettingControlHasItsLabelBeforeIt(), "each check box and text box comes right after its label");
static_assert(IdsAreUniqueAndNothingOverlaps(), "ids are unique and no two controls overlap");
static_assert(EverythingInsideTheClientArea(), "every control lies inside the client area");
static_assert(TwipsToPixels(kClientWidthTwips, 96) == 437 && TwipsToPixels(kClientHeightTwips, 96) == 281);

}  // namespace
}  // namespace quorvane
