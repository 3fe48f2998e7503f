#pragma once
// What the window tests share: message boxes noted instead of shown, a window made for
// one test, and the program's message loop with a deadline.

#include "tests/win32/WineTestSupport.h"
#include "ui/Form1.h"
#include "ui/MessageLoop.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace quorvane::testing {

// With `fail` set, showing a box throws, as a failing handler would.
struct TestMessages final : MessageBoxApi {
    void Show(const std::wstring& text) override {
        if (fail) throw std::runtime_error("the message box failed");
        shown.push_back(text);
    }
    std::vector<std::wstring> shown;
    bool fail = false;
};

inline std::string Narrow(std::wstring_view text) { return {text.begin(), text.end()}; }

// The program's message loop for the window; still running after 10 s, it ends with 99.
inline void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }
inline int RunLoopWithDeadline(HWND window) {
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10000, GiveUp);
    const int code = RunMessageLoop(window);
    ::KillTimer(nullptr, timer);
    return code;
}

// A Form1 for one test, at the screen's density or at the one Make() is given.
class Form1Test : public ::testing::Test {
protected:
    void SetUp() override { Make(0); }
    void Make(int dpi) {
        form.reset();
        MSG left{};  // a closed window's WM_QUIT would end the next loop at once
        while (::PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) {}
        form = std::make_unique<Form1>(messages);
        ASSERT_TRUE(form->Create(::GetModuleHandleW(nullptr), dpi)) << "error " << ::GetLastError();
    }
    HWND Window() const { return form->hwnd(); }
    HWND Control(ControlId id) const { return form->Control(id); }

    TestMessages messages;
    std::unique_ptr<Form1> form;
};

}  // namespace quorvane::testing
