// The end-to-end tests take the path of quorvane.exe as their first argument.
#include "tests/win32/e2e/ProgramDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    int wideCount = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &wideCount);
    if (wide == nullptr || wideCount < 2) {
        fprintf(stderr, "usage: quorvane_e2e_tests <path of quorvane.exe>\n");
        return 2;
    }
    quorvane::e2e::SetProgramPath(wide[wideCount - 1]);
    LocalFree(wide);
    return RUN_ALL_TESTS();
}
