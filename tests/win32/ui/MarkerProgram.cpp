// Stands in for a game executable. Each start appends a line to the file named like the
// program plus ".ran": the command line it got, the show command it was given (10,
// SW_SHOWDEFAULT, for none) and its working folder, separated by tabs.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    wchar_t self[MAX_PATH + 4] = {}, folder[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    std::FILE* file = ::_wfopen(std::wcscat(self, L".ran"), L"ab");
    if (!file) return 1;
    std::fprintf(file, "%ls\t%d\t%ls\n", ::GetCommandLineW(), showCommand, folder);
    return std::fclose(file);
}
