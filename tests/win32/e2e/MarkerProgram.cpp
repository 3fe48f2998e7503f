// Stands in for a game executable. Each start appends a line, in UTF-16, to the file named
// like the program plus ".ran": the command line it got, the show command it was given
// (10, SW_SHOWDEFAULT, for none) and its working folder, separated by tabs.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    wchar_t self[MAX_PATH + 4] = {}, folder[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    std::FILE* file = ::_wfopen(std::wcscat(self, L".ran"), L"ab");
    if (!file) return 1;
    wchar_t line[3 * MAX_PATH] = {};
    const int length = std::swprintf(line, 3 * MAX_PATH, L"%ls\t%d\t%ls\n", ::GetCommandLineW(), showCommand, folder);
    std::fwrite(line, sizeof(wchar_t), static_cast<std::size_t>(length > 0 ? length : 0), file);
    return std::fclose(file);
}
