#pragma once
// Drives the real quorvane.exe from another process: a game installation of the
// test's own (registry key and players folder), a started program, the message boxes
// it shows, the state of its window, and its menu commands.

#include "ui/Layout.h"
#include "ui/Menu.h"
#include "ui/UniqueHandle.h"

#include <windows.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::e2e {

inline constexpr wchar_t kGameKey[] = L"SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";
inline constexpr wchar_t kGameKeyPath[] =
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";
inline constexpr wchar_t kTitle[] = L"Quorvane v0.1.1 by Pellowan (Debug Mode, Read Only)";

// The game's key and install folder, created for one test and removed after it.
class GameInstall {
public:
    // The install folder's own name; the folder lies in "C:\Quorvane E2E Test".
    explicit GameInstall(const std::wstring& name = L"Call of Duty Black Ops");
    ~GameInstall();
    GameInstall(const GameInstall&) = delete;
    GameInstall& operator=(const GameInstall&) = delete;

    // Install folder (with spaces, as real installs have) and its players folder.
    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path players() const { return folder_ / L"players"; }
    std::filesystem::path config() const { return players() / L"config.cfg"; }

    // The three values pointing at this folder.
    void RegisterAll();
    void SetString(const wchar_t* name, const std::wstring& text);
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size);
    void DeleteValue(const wchar_t* name);
    void DeleteKey();

    void WriteConfig(const std::string& bytes) const;

    // Every value and subkey of the game's key, with types and data, as bytes.
    std::string ExportKey() const;

private:
    std::filesystem::path folder_;
};

// A realistic config.cfg, and the settings that the window shows for it.
std::string RealisticConfig();

struct WindowState {
    std::wstring title;
    bool visible = false;
    std::array<int, 13> checks{};          // [1] to [12]
    std::array<std::wstring, 11> texts{};  // [1] to [10]
};

WindowState InitialState();        // as laid out, with the title and both path boxes
WindowState RealisticState();      // RealisticConfig() loaded

// One run of the program.
class ProgramRun {
public:
    ProgramRun();
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool started() const { return static_cast<bool>(process_); }

    // The next message box of the program: its text, after pressing OK. Nothing if
    // none appears within the time.
    std::optional<std::wstring> DismissMessageBox(DWORD timeoutMs = 15000);
    // True if a message box is up (without touching it).
    bool MessageBoxShown() const;

    // The main window once it is visible; nullptr if it does not appear in time.
    HWND WaitForWindow(DWORD timeoutMs = 15000);
    WindowState State() const;

    // Chooses a menu command, as a click on the item does.
    void Choose(CommandId command) const;

    // The exit code once the process has ended; nothing if it is still running.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 15000);

private:
    HWND FindTopLevel(bool wantMessageBox) const;

    UniqueKernelHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

}  // namespace quorvane::e2e
