#include "ui/Commands.h"

#include "config/AbsolutePath.h"
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

std::wstring CannotStartText(std::wstring_view path) { return L"Cannot start:\n\n" + std::wstring(path); }

std::wstring_view ProgramPathOf(std::wstring_view stored) {
    stored = stored.substr(0, stored.find_last_not_of(L" \t") + 1);
    if (stored.size() >= 2 && stored.front() == L'"' && stored.back() == L'"') stored = stored.substr(1, stored.size() - 2);
    return stored;
}

bool IsProgramPath(std::wstring_view path) {
    const bool exe = path.size() > 4 &&
                     ::CompareStringOrdinal(path.data() + path.size() - 4, 4, L".exe", 4, TRUE) == CSTR_EQUAL;
    // A quote would end the quoted command line early; no file name holds one.
    return IsAbsolutePath(path) && exe && path.find(L'"') == std::wstring_view::npos;
}

bool StartProgram(std::wstring_view stored) {
    const std::wstring path(ProgramPathOf(stored));
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
