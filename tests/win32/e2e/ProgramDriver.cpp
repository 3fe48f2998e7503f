#include "tests/win32/e2e/ProgramDriver.h"

#include "tests/data/RealisticSettings.h"
#include "tests/win32/WineTestSupport.h"

#include <fstream>
#include <sstream>

namespace quorvane::e2e {

using testing::ClassName;
using testing::HostPathToWindows;
using testing::PollUntil;
using testing::WindowText;

GameInstall::GameInstall(const std::wstring& name) : folder_(std::filesystem::path(L"C:\\Quorvane E2E Test") / name) {
    std::filesystem::remove_all(folder_.parent_path());
    std::filesystem::create_directories(players());
    DeleteKey();
}

GameInstall::~GameInstall() {
    DeleteKey();
    std::error_code ignored;
    std::filesystem::remove_all(folder_.parent_path(), ignored);
}

void GameInstall::RegisterAll() {
    SetString(L"InstallPath", folder_.wstring());
    SetString(L"SPExePath", (folder_ / L"BlackOps.exe").wstring());
    SetString(L"MPExePath", (folder_ / L"BlackOpsMP.exe").wstring());
}

void GameInstall::SetString(const wchar_t* name, const std::wstring& text) {
    SetRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The key is written through the 64-bit view at its literal path, as a 64-bit
// installer (or `reg add ... /reg:64`) does; the 32-bit program reads it there.
constexpr REGSAM kView = KEY_WOW64_64KEY;

namespace {

HKEY OpenGameKey(REGSAM access) {
    HKEY key = nullptr;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGameKey, 0, access | kView, &key) == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

void GameInstall::SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | kView, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create the game's key");
    }
    const LONG status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set a value of the game's key");
}

void GameInstall::DeleteValue(const wchar_t* name) {
    if (HKEY key = OpenGameKey(KEY_SET_VALUE)) {
        RegDeleteValueW(key, name);
        RegCloseKey(key);
    }
}

void GameInstall::DeleteKey() {
    if (HKEY key = OpenGameKey(KEY_ALL_ACCESS)) {
        RegDeleteTreeW(key, nullptr);
        RegCloseKey(key);
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kGameKey, kView, 0);
    }
}

void GameInstall::WriteConfig(const std::string& bytes) const {
    std::ofstream(config(), std::ios::binary) << bytes;
}

namespace {

void ExportKeyInto(HKEY key, const std::wstring& path, std::string& out) {
    const std::string pathBytes(reinterpret_cast<const char*>(path.data()), path.size() * sizeof(wchar_t));
    out += "[" + pathBytes + "]\n";
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::string data(size, '\0');
        nameLength = 16384;
        RegEnumValueW(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        out += std::string(reinterpret_cast<const char*>(name), nameLength * sizeof(wchar_t)) + "=" +
               std::to_string(type) + ":" + data.substr(0, size) + "\n";
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ | KEY_WOW64_64KEY, &child) == ERROR_SUCCESS) {
            ExportKeyInto(child, path + L"\\" + name, out);
            RegCloseKey(child);
        }
    }
}

}  // namespace

std::string GameInstall::ExportKey() const {
    HKEY key = OpenGameKey(KEY_READ);
    if (key == nullptr) return "<no key>";
    std::string out;
    ExportKeyInto(key, kGameKey, out);
    RegCloseKey(key);
    return out;
}

std::string RealisticConfig() {
    std::ifstream in(std::filesystem::path(HostPathToWindows(QUORVANE_TEST_DATA_DIR L"/config.cfg")), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (bytes.str().empty()) throw std::runtime_error("tests/data/config.cfg not found");
    return bytes.str();
}

WindowState InitialState() {
    WindowState state;
    state.title = kTitle;
    state.visible = true;
    state.checks[10] = 1;
    state.checks[11] = 1;
    for (int i = 1; i <= 10; ++i) state.texts[i] = L"0";
    return state;
}

WindowState RealisticState() {
    WindowState state = InitialState();
    for (int i = 1; i <= 12; ++i) state.checks[i] = testing::kRealisticChecks[i];
    for (int i = 1; i <= 10; ++i) state.texts[i] = testing::kRealisticTexts[i];
    return state;
}

ProgramRun::ProgramRun() {
    std::wstring commandLine = L"\"" + testing::ProgramPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(testing::ProgramPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
}

ProgramRun::~ProgramRun() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

namespace {

struct TopLevelSearch {
    DWORD processId;
    bool wantMessageBox;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    const std::wstring cls = ClassName(window);
    if ((search.wantMessageBox && cls == L"#32770") || (!search.wantMessageBox && cls == L"QuorvaneForm1")) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND ProgramRun::FindTopLevel(bool wantMessageBox) const {
    TopLevelSearch search{processId_, wantMessageBox, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ProgramRun::MessageBoxShown() const { return FindTopLevel(true) != nullptr; }

std::optional<std::wstring> ProgramRun::DismissMessageBox(DWORD timeoutMs) {
    HWND box = nullptr;
    if (!PollUntil(timeoutMs, [&] { return (box = FindTopLevel(true)) != nullptr; })) return std::nullopt;
    const std::wstring title = WindowText(box);
    const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    PollUntil(5000, [&] { return !IsWindow(box) || !IsWindowVisible(box); });
    // The box's own title bar says whose it is.
    return title == L"Quorvane by Pellowan" ? text : L"<titled '" + title + L"'> " + text;
}

HWND ProgramRun::WaitForWindow(DWORD timeoutMs) {
    PollUntil(timeoutMs, [&] { return (window_ = FindTopLevel(false)) != nullptr; });
    return window_;
}

WindowState ProgramRun::State() const {
    WindowState state;
    if (window_ == nullptr) return state;
    state.title = WindowText(window_);
    state.visible = IsWindowVisible(window_) != FALSE;
    for (int i = 1; i <= 12; ++i) {
        DWORD_PTR checked = 0;
        SendMessageTimeoutW(GetDlgItem(window_, ToInt(ControlId::Check1) + i - 1), BM_GETCHECK, 0, 0,
                            SMTO_ABORTIFHUNG, 5000, &checked);
        state.checks[i] = static_cast<int>(checked);
    }
    for (int i = 1; i <= 10; ++i) state.texts[i] = WindowText(GetDlgItem(window_, ToInt(ControlId::Text1) + i - 1));
    return state;
}

void ProgramRun::Choose(CommandId command) const {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(command), 0), 0);
}

std::optional<DWORD> ProgramRun::WaitForExit(DWORD timeoutMs) {
    if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace quorvane::e2e
