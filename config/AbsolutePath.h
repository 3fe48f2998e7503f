#pragma once
// Whether a path names one folder or file wherever the program runs: a drive letter, a
// colon and a separator, or two separators (a share). A separator is "\" or "/".
// Anything else depends on the current folder or drive, or is no path at all.

#include <string_view>

namespace quorvane {

constexpr bool IsAbsolutePath(std::wstring_view path) {
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    const auto letter = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); };
    const bool drive = path.size() > 2 && letter(path[0]) && path[1] == L':' && separator(path[2]);
    const bool share = path.size() > 1 && separator(path[0]) && separator(path[1]);
    return drive || share;
}

}  // namespace quorvane
