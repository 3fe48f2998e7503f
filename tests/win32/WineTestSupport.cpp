#include "tests/win32/WineTestSupport.h"

#include <algorithm>

namespace quorvane::testing {

std::wstring HostPathToWindows(const std::wstring& path) {
    if (!path.starts_with(L'/')) return path;
    std::wstring windows = L"Z:" + path;
    std::replace(windows.begin(), windows.end(), L'/', L'\\');
    return windows;
}

const std::wstring& ProgramPath() {
    static const std::wstring path = HostPathToWindows(QUORVANE_PROGRAM_PATH);
    return path;
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                          5000, &copied);
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

}  // namespace quorvane::testing
