// The window tests run with COM and the common controls set up, as the program does.
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/ComPtr.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);

    quorvane::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
