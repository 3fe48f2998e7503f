#pragma once
// Drives the real quorvane.exe from another process: starts it, answers its message
// boxes and reads their text, finds its window, reads its controls, chooses menu
// commands and waits for its exit.

#include "tests/support/TestConstants.h"
#include "tests/win32/WineTestSupport.h"
#include "ui/Layout.h"
#include "ui/Menu.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane::e2e {

using namespace quorvane::testing;

class Program {
public:
    Program() {
        std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        ::CreateProcessW(ProgramPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &started);  // on failure every wait below fails at once
        ::CloseHandle(started.hThread);
        process_ = started.hProcess;
        id_ = started.dwProcessId;
    }
    ~Program() {
        if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) ::TerminateProcess(process_, 99);
        ::CloseHandle(process_);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Presses OK on each box until the main window is up, the program has ended or the
    // time is over; returns the boxes' texts.
    std::vector<std::wstring> BoxesUntilWindow(DWORD timeoutMs) {
        std::vector<std::wstring> boxes;
        PollUntil(timeoutMs, [&] {
            if ((window_ = Find(false)) || ::WaitForSingleObject(process_, 0) != WAIT_TIMEOUT) return true;
            if (auto text = Box(0)) boxes.push_back(*text);
            return false;
        });
        return boxes;
    }

    // The next box's text, after pressing its OK; a title other than the program's own
    // is put in front. Nothing if no box comes in time.
    std::optional<std::wstring> Box(DWORD timeoutMs) {
        HWND box = nullptr;
        if (!PollUntil(timeoutMs, [&] { return (box = Find(true)) != nullptr; })) return std::nullopt;
        const std::wstring title = WindowText(box);
        const std::wstring text = WindowText(::GetDlgItem(box, 0xFFFF));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        PollUntil(5000, [&] { return !::IsWindowVisible(box); });
        return title == kTestAppTitle ? text : L"<" + title + L"> " + text;
    }

    // The title, Check1 to Check12 ("0" or "1"), then Text1 to Text10.
    std::vector<std::wstring> Read() const {
        std::vector<std::wstring> values{WindowText(window_)};
        for (int i = 1; i <= 12; ++i) {
            values.push_back(std::to_wstring(::SendMessageW(::GetDlgItem(window_, ToInt(CheckBoxId(i))), BM_GETCHECK, 0, 0)));
        }
        for (int i = 1; i <= 10; ++i) values.push_back(WindowText(::GetDlgItem(window_, ToInt(TextBoxId(i)))));
        return values;
    }

    void Choose(CommandId command) const { ::PostMessageW(window_, WM_COMMAND, static_cast<WPARAM>(command), 0); }

    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const {
        DWORD code = 0;
        const bool ended = ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
        return ended && ::GetExitCodeProcess(process_, &code) ? std::optional(code) : std::nullopt;
    }

private:
    // A visible top-level window of the program: a message box, or its main window.
    HWND Find(bool box) const {
        for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, nullptr, nullptr)) != nullptr;) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == id_ && ::IsWindowVisible(window) && (ClassName(window) == L"#32770") == box) return window;
        }
        return nullptr;
    }

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    HWND window_ = nullptr;
};

}  // namespace quorvane::e2e
