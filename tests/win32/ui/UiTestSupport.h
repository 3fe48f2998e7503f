#pragma once
// What the window tests share: a message box that records instead of showing, a
// window made for one test, and the paths of the programs under test.

#include "registry/MessageBoxApi.h"
#include "tests/support/FakeRegistry.h"
#include "tests/win32/WineTestSupport.h"
#include "ui/Form1.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quorvane::testing {


// The folder of the test program and its helper.
std::filesystem::path TestProgramFolder();

// Takes every message off this thread's queue, WM_QUIT included, so that one test's
// closed window does not end the next test's message loop.
void DrainMessages();

// Handles the messages waiting now, the way the message loop would.
void PumpMessages();

// A Form1 made for one test, with recorded message boxes; destroyed with the fixture.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Window() const { return form->hwnd(); }
    HWND Control(ControlId id) const { return form->Control(id); }
    // The menu item's id, found by its caption on the bar or under "File".
    UINT MenuCommand(const std::wstring& caption) const;
    // Chooses a menu item as the user would: WM_COMMAND from the menu.
    void Choose(const std::wstring& caption) const;

    RecordingMessages messages;
    std::unique_ptr<Form1> form;
};

}  // namespace quorvane::testing
