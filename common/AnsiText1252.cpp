// Windows-1252 stands in for the ANSI code page where there is no Windows.
#include "common/AnsiText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quorvane {
namespace {

// 0x80 to 0x9F; the five bytes that Windows-1252 leaves undefined map to the same
// code point, as MultiByteToWideChar does for them.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

wchar_t ByteToWide(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return static_cast<wchar_t>(kHighControls[byte - 0x80]);
    return static_cast<wchar_t>(byte);
}

char WideToByte(wchar_t ch) {
    // wchar_t is 32 bits (and signed) here: compare whole code points, so that U+120AC,
    // say, is not taken for U+20AC.
    const auto code = static_cast<std::uint32_t>(ch);
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    const auto* found = std::find(kHighControls.begin(), kHighControls.end(), code);
    if (found != kHighControls.end()) return static_cast<char>(0x80 + (found - kHighControls.begin()));
    return '?';  // the best-fit default, as WideCharToMultiByte gives
}

}  // namespace

std::string WideToAnsi(std::wstring_view text) {
    std::string bytes(text.size(), '\0');
    std::transform(text.begin(), text.end(), bytes.begin(), WideToByte);
    return bytes;
}

std::wstring AnsiToWide(std::string_view bytes) {
    std::wstring text(bytes.size(), L'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char byte) { return ByteToWide(static_cast<unsigned char>(byte)); });
    return text;
}

}  // namespace quorvane
