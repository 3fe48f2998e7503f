// Stands in for a game executable. Each start appends one line to the file named
// like the program itself plus ".ran": the command line it got, how it was asked to
// show its window, and its working directory, separated by tabs. UTF-16.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring self(MAX_PATH, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (length == 0 || length >= self.size()) return 1;
    self.resize(length);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    std::wstring directory(MAX_PATH, L'\0');
    directory.resize(::GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));

    const bool showSet = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0;
    const std::wstring line = std::wstring(::GetCommandLineW()) + L"\t" +
                              (showSet ? std::to_wstring(startup.wShowWindow) : std::wstring(L"-")) + L"\t" +
                              directory + L"\n";

    HANDLE file = ::CreateFileW((self + L".ran").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    const DWORD bytes = static_cast<DWORD>(line.size() * sizeof(wchar_t));
    const BOOL ok = ::WriteFile(file, line.data(), bytes, &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes ? 0 : 3;
}
