#include "ui/Fonts.h"

#include "ui/Dpi.h"
#include "ui/Layout.h"

#include <string>

namespace quorvane {
namespace {

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

}  // namespace

bool FontFamilyExists(std::wstring_view face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    WindowDc screen(nullptr);
    ::EnumFontFamiliesExW(screen.get(), &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

UniqueHfont CreateLabelFont(int dpi) {
    LOGFONTW font{};
    // A positive height asks for the whole cell, and the width for every character.
    font.lfHeight = TwipsToPixels(kLabelCellHeightTwips, dpi);
    font.lfWidth = TwipsToPixels(kLabelCellWidthTwips, dpi);
    font.lfWeight = FW_BOLD;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;

    if (FontFamilyExists(kLabelFontFace)) {
        // Terminal is an OEM bitmap font.
        font.lfCharSet = OEM_CHARSET;
        kLabelFontFace.copy(font.lfFaceName, LF_FACESIZE - 1);
    } else {
        // No family named: the font mapper picks the system's fixed-pitch face for
        // the cell asked for.
        font.lfCharSet = DEFAULT_CHARSET;
    }
    return UniqueHfont(::CreateFontIndirectW(&font));
}

UniqueHfont CreateControlFont(int dpi) {
    LOGFONTW font{};
    if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) != sizeof(font)) return {};
    const int screenDpi = ScreenDpi();
    font.lfHeight = ::MulDiv(font.lfHeight, dpi, screenDpi);
    font.lfWidth = ::MulDiv(font.lfWidth, dpi, screenDpi);
    return UniqueHfont(::CreateFontIndirectW(&font));
}

}  // namespace quorvane
