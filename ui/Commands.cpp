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

bool StartProgram(const std::wstring& path) {
    if (path.empty()) return false;
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring commandLine = L"\"" + path + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    // The game looks for its data files in its working folder: start it in its own.
    const std::size_t slash = path.rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        return false;
    }
    // The game runs on its own; nothing here waits for it or tracks it.
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    return true;
}

}  // namespace quorvane
