// The window tests. The build gives them the path of quorvane.exe, whose file they
// check, as QUORVANE_PROGRAM_PATH.
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/ComPtr.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    quorvane::test::SetProgramPath(QUORVANE_PROGRAM_PATH);

    quorvane::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
