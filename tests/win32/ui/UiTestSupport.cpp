#include "tests/win32/ui/UiTestSupport.h"

#include <gtest/gtest.h>

namespace quorvane::testing {
std::filesystem::path TestProgramFolder() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return std::filesystem::path(self).parent_path();
}

void DrainMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) ::DispatchMessageW(&message);
    }
}

void PumpMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Not ours to take: put it back for whoever runs the loop.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void FormTest::SetUp() {
    DrainMessages();
    form = std::make_unique<Form1>(messages);
    ASSERT_TRUE(form->Create(::GetModuleHandleW(nullptr))) << "error " << ::GetLastError();
    ASSERT_NE(form->hwnd(), nullptr);
}

void FormTest::TearDown() {
    form.reset();
    DrainMessages();
}

UINT FormTest::MenuCommand(const std::wstring& caption) const {
    HMENU bar = ::GetMenu(Window());
    const int barItems = ::GetMenuItemCount(bar);
    for (int i = 0; i < barItems; ++i) {
        if (HMENU popup = ::GetSubMenu(bar, i)) {
            const int items = ::GetMenuItemCount(popup);
            for (int j = 0; j < items; ++j) {
                wchar_t text[64] = {};
                ::GetMenuStringW(popup, static_cast<UINT>(j), text, 64, MF_BYPOSITION);
                if (caption == text) return ::GetMenuItemID(popup, j);
            }
        } else {
            wchar_t text[64] = {};
            ::GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            if (caption == text) return ::GetMenuItemID(bar, i);
        }
    }
    ADD_FAILURE() << "no menu item \"" << std::string(caption.begin(), caption.end()) << "\"";
    return 0;
}

void FormTest::Choose(const std::wstring& caption) const {
    const UINT command = MenuCommand(caption);
    if (command != 0) ::SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace quorvane::testing
