#include "ui/Commands.h"

#include "ui/UniqueHandle.h"

namespace quorvane {

std::wstring AboutText(std::wstring_view appVersion) {
    std::wstring text;
    text.append(L"Delmarrow ").append(appVersion).append(L"\r\n");
    text.append(L"Quorvane ").append(appVersion).append(L" by Pellowan").append(L"\r\n");
    text.append(L"E-Mail: ").append(kAuthorEmail).append(L"\r\n");
    text.append(L"Blog: ").append(kAuthorBlog);
    return text;
}

std::wstring CannotStartText(std::wstring_view path) {
    std::wstring text(L"Cannot start:\n\n");
    text.append(path);
    return text;
}

bool IsProgramPath(std::wstring_view path) {
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    const auto letter = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); };
    const bool drive = path.size() > 2 && letter(path[0]) && path[1] == L':' && separator(path[2]);
    const bool share = path.size() > 1 && separator(path[0]) && separator(path[1]);
    const bool exe = path.size() > 4 &&
                     ::CompareStringOrdinal(path.data() + path.size() - 4, 4, L".exe", 4, TRUE) == CSTR_EQUAL;
    // A quote would end the quoted command line early; no file name holds one.
    return (drive || share) && exe && path.find(L'"') == std::wstring_view::npos;
}

bool StartProgram(const std::wstring& path) {
    if (!IsProgramPath(path)) return false;
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring commandLine = L"\"" + path + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    // The game looks for its data files in its working folder: start it in its own.
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &started)) {
        return false;
    }
    // The game runs on its own; nothing here waits for it or tracks it.
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    return true;
}

}  // namespace quorvane
