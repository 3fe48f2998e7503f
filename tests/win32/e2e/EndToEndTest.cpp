// The real quorvane.exe, on Windows or under Wine, started once per row: the game's
// registry key and its config.cfg as the row sets them up, the box shown while loading,
// the values beside their labels, what Launch shows, a clean exit, and the players folder
// and key unchanged.
#include "Version.h"
#include "tests/data/RealisticSettings.h"
#include "tests/win32/WineTestSupport.h"
#include "ui/ResourceIds.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>

namespace quorvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace quorvane::testing;
using Values = std::vector<std::wstring>;  // the title, Check1 to Check12 ("0" or "1"), Text1 to Text10

// What the program shows and reads, written here as the user sees it.
constexpr wchar_t kSubKey[] = L"SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";  // of HKEY_LOCAL_MACHINE
constexpr wchar_t kTitle[] = L"Quorvane " QUORVANE_APP_VERSION L" by Pellowan (Debug Mode, Read Only)";
constexpr wchar_t kAppTitle[] = L"Quorvane by Pellowan";  // the boxes'

// Drives the program from outside: its boxes, its window's controls, its menu, its exit.
struct Program {
    Program() {  // if it cannot start, every wait below fails at once
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        ::CreateProcessW(kProgramPath.c_str(), nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr, &startup, &started);
        ::CloseHandle(started.hThread);
        process = started.hProcess;
    }
    ~Program() {
        if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) ::TerminateProcess(process, 99);
        ::CloseHandle(process);
    }

    // Presses OK on each box until the window is up, the program has ended or the time
    // is over; returns the boxes' texts.
    Values BoxesUntilWindow(DWORD timeoutMs) {
        Values boxes;
        PollUntil(timeoutMs, [&] {
            if ((window = Find(false)) != nullptr || ::WaitForSingleObject(process, 0) != WAIT_TIMEOUT) return true;
            if (auto text = Box(0)) boxes.push_back(*text);
            return false;
        });
        return boxes;
    }

    // The next box's text, after pressing its OK. The program's boxes are modal to its
    // window, with the application's title, OK alone and no icon: anything else is put in
    // front. Nothing if no box comes in time.
    std::optional<std::wstring> Box(DWORD timeoutMs) const {
        HWND box = nullptr;
        if (!PollUntil(timeoutMs, [&] { return (box = Find(true)) != nullptr; })) return std::nullopt;
        std::wstring look = WindowText(box) == kAppTitle ? L"" : L"<" + WindowText(box) + L"> ";
        for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            if (ClassName(c) == L"Button" && ::IsWindowVisible(c) && WindowText(c) != L"OK") look += L"<button> ";
            if (::SendMessageW(c, STM_GETICON, 0, 0)) look += L"<icon> ";
        }
        if (ClassName(::GetWindow(box, GW_OWNER)) != L"QuorvaneForm1") look += L"<not owned> ";
        const std::wstring text = WindowText(::GetDlgItem(box, 0xFFFF));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        PollUntil(5000, [&] { return !::IsWindowVisible(box); });
        return look + text;
    }

    // Each value where the user finds it: in the control right after its label.
    Values Read() const {
        const auto beside = [&](const wchar_t* label) {
            HWND at = ::GetWindow(::FindWindowExW(window, nullptr, L"Static", label), GW_HWNDNEXT);
            return ClassName(at) == L"Button" ? std::to_wstring(::SendMessageW(at, BM_GETCHECK, 0, 0)) : WindowText(at);
        };
        Values values{WindowText(window)};
        for (int i = 1; i <= 12; ++i) values.push_back(beside(kCheckLabels[i]));
        for (int i = 1; i <= 10; ++i) values.push_back(beside(kTextLabels[i]));
        return values;
    }

    void Choose(int command) const { ::PostMessageW(window, WM_COMMAND, command, 0); }

    // A visible top-level window of the program: a message box, or else its main window.
    HWND Find(bool box) const {
        for (HWND found = nullptr; (found = ::FindWindowExW(nullptr, found, nullptr, nullptr)) != nullptr;) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(found, &owner);
            const bool isBox = ClassName(found) == L"#32770";
            if (owner == ::GetProcessId(process) && ::IsWindowVisible(found) && isBox == box) return found;
        }
        return nullptr;
    }

    HANDLE process = nullptr;
    HWND window = nullptr;
};

// Spaces and letters beyond ASCII, as install folders have. Cut at its first space,
// the game's path names the decoy C:\Program.exe.
const std::wstring kFolder = L"C:\\Program Files\\Quorvane E2E \u00c9dition Fran\u00e7aise";
const fs::path kConfig = kFolder + L"\\players\\config.cfg";
const std::wstring kGame = kFolder + L"\\BlackOps.exe";
// Programs that must never run: C:\Program.exe, and two in the folder Quorvane starts in.
const std::wstring kDecoys[] = {L"C:\\Program.exe", L"Error", L"BlackOpsMP.exe"};
const std::wstring kBatch = kFolder + L"\\run.bat";  // would write ran.txt beside itself
// Removed before each row and at the end.
const fs::path kScratch[] = {kFolder,    kDecoys[0], kDecoys[0] + L".ran", kDecoys[1], kDecoys[1] + L".ran",
                             kDecoys[2], kDecoys[2] + L".ran"};
#ifdef QUORVANE_E2E_DEVICES  // under Wine, made on the Linux host (CMakeLists.txt)
// Holds the folder zero, whose players\config.cfg is a host link to /dev/zero, and the
// folder fifo, whose players\config.cfg is a FIFO.
const std::wstring kDevices = HostPathToWindows(QUORVANE_E2E_DEVICES), kDevice = kDevices + L"\\zero";
#else  // Windows: the null device takes the rest of the path as its own, players\config.cfg
const std::wstring kDevice = L"\\\\.\\NUL";
#endif
// From the start to the window, whatever the key and config.cfg hold.
constexpr ULONGLONG kWindowWithinMs = 2000;
constexpr DWORD kWaitMs = 15000;  // for what must come, before giving up

const std::wstring kGameNotFound = std::wstring(L"Game Not Found:\n\nHKEY_LOCAL_MACHINE\\") + kSubKey;
std::wstring CannotOpen(std::wstring in = kFolder) { return L"Cannot open:\n\n" + in + L"\\players\\config.cfg"; }

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
const std::string kRealistic = FileBytes(HostPathToWindows(QUORVANE_TEST_DATA_DIR L"/config.cfg"));

Values Initial(const std::string& text10 = "0") {  // given as bytes, read in the ANSI code page
    Values values(23, L"0");
    values[0] = kTitle;
    values[10] = values[11] = L"1";
    values[22].resize(text10.size());  // one character a byte
    ::MultiByteToWideChar(CP_ACP, 0, text10.data(), int(text10.size()), values[22].data(), int(text10.size()));
    return values;
}
Values Realistic() {
    Values values{kTitle};
    for (int i = 1; i <= 12; ++i) values.push_back(std::to_wstring(kRealisticChecks[i]));
    for (int i = 1; i <= 10; ++i) values.push_back(kRealisticTexts[i]);
    return values;
}

void WriteKey(DWORD installType, const std::wstring& install, DWORD exeType, const std::wstring& exe) {
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kSubKey, KEY_WOW64_64KEY, 0);
    HKEY key = nullptr;
    if (installType == REG_NONE && exeType == REG_NONE) return;
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSubKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                      &key, nullptr);
    const std::tuple<const wchar_t*, DWORD, std::wstring> values[] = {
        {L"InstallPath", installType, install}, {L"SPExePath", exeType, exe}, {L"MPExePath", exeType, exe}};
    for (const auto& [name, type, data] : values) {
        const auto* bytes = reinterpret_cast<const BYTE*>(data.c_str());
        if (type != REG_NONE) ::RegSetValueExW(key, name, 0, type, bytes, DWORD(data.size() + 1) * sizeof(wchar_t));
    }
    ::RegCloseKey(key);
}

// The players folder's entries with their times, and when the game's key last changed:
// any write of a value sets that time.
std::pair<std::map<fs::path, fs::file_time_type>, ULONGLONG> WrittenState() {
    std::map<fs::path, fs::file_time_type> times;
    for (const auto& entry : fs::directory_iterator(kConfig.parent_path())) times[entry] = entry.last_write_time();
    HKEY key = nullptr;
    ULARGE_INTEGER changed{};
    ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_READ | KEY_WOW64_64KEY, &key);
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       reinterpret_cast<FILETIME*>(&changed));
    ::RegCloseKey(key);
    return {times, changed.QuadPart};
}

// Pipe: \\.\pipe\players\config.cfg has a server that never sends.
enum class File { Written, None, Folder, Locked, Pipe };

struct Row {
    const char* name;
    DWORD installType = REG_SZ;  // REG_NONE: left out; with exeType too, no key at all
    std::wstring install = kFolder;
    DWORD exeType = REG_SZ;  // of SPExePath and MPExePath
    std::wstring exe = kGame;
    std::string bytes = kRealistic;
    File file = File::Written;
    std::wstring box = {};  // shown while loading; empty: none
    Values values = {};  // empty: the realistic values, or the initial ones after a box
    std::optional<std::wstring> launched = {};  // Launch's box; empty: none, the game being a stand-in
};

// Returns the handle of another process's hold on config.cfg: sharing it for reading only,
// as a running game may, or not at all for a locked one.
HANDLE Arrange(const Row& row) {
    WriteKey(row.installType, row.install, row.exeType, row.exe);
    for (const fs::path& path : kScratch) fs::remove_all(path);
    fs::create_directories(kConfig.parent_path());
    for (const std::wstring& program : {kGame, kDecoys[0], kDecoys[1], kDecoys[2]}) {
        if (row.launched) fs::copy_file(HostPathToWindows(QUORVANE_MARKER_PROGRAM), program);
    }
    if (row.launched) std::ofstream(fs::path(kBatch)) << "echo ran > \"%~dp0ran.txt\"\r\n";
    if (row.file == File::Folder) fs::create_directory(kConfig);
    if (row.file == File::Pipe) {
        return ::CreateNamedPipeW(L"\\\\.\\pipe\\players\\config.cfg", PIPE_ACCESS_OUTBOUND, 0, 1, 0, 0, 0, nullptr);
    }
    if (row.file == File::None || row.file == File::Folder) return INVALID_HANDLE_VALUE;
    std::ofstream(kConfig, std::ios::binary) << row.bytes;
    // An old time, so that a rewrite shows even within the file system's time resolution.
    fs::last_write_time(kConfig, fs::last_write_time(kConfig) - std::chrono::hours(48));
    const DWORD share = row.file == File::Locked ? 0 : FILE_SHARE_READ;
    return ::CreateFileW(kConfig.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

// One row: its set-up, the program started, its boxes and values, Launch, Save Settings and
// Exit, and nothing written.
void Check(const Row& row) {
    SCOPED_TRACE(row.name);
    const HANDLE lock = Arrange(row);
    const auto written = WrittenState();
    const ULONGLONG start = ::GetTickCount64();
    Program program;
    EXPECT_EQ(program.BoxesUntilWindow(kWaitMs), row.box.empty() ? Values{} : Values{row.box});
    EXPECT_LT(::GetTickCount64() - start, kWindowWithinMs) << "the window came late";
    std::printf("%-50s window after %5llu ms\n", row.name, ::GetTickCount64() - start);
    ::CloseHandle(lock);
    for (int command : {IDM_LAUNCH, IDM_LAUNCHMP}) {
        if (!row.launched) break;
        program.Choose(command);
        EXPECT_EQ(program.Box(row.launched->empty() ? 1000 : kWaitMs),
                  row.launched->empty() ? std::nullopt : row.launched);
    }
    if (row.launched == L"") {  // each start of the stand-in notes its command line first, quoted
        EXPECT_EQ(FileBytes(kGame + L".ran").substr(0, 1), "\"");
    }
    for (const std::wstring& decoy : {kDecoys[0] + L".ran", kDecoys[1] + L".ran", kDecoys[2] + L".ran",
                                      kFolder + L"\\ran.txt"}) {
        EXPECT_FALSE(fs::exists(decoy)) << "a decoy ran: " << fs::path(decoy);
    }
    EXPECT_EQ(program.Read(), !row.values.empty() ? row.values : row.box.empty() ? Realistic() : Initial());
    program.Choose(IDM_SAVE);
    program.Choose(IDM_EXIT);
    DWORD code = ~0u;
    ::WaitForSingleObject(program.process, kWaitMs);
    EXPECT_TRUE(::GetExitCodeProcess(program.process, &code) && code == 0) << "exit code " << code;
    EXPECT_EQ(WrittenState(), written);
}

// Leaves neither the game's key nor a file behind.
struct EndToEnd : ::testing::Test {
    ~EndToEnd() override {
        WriteKey(REG_NONE, L"", REG_NONE, L"");
        for (const fs::path& path : kScratch) fs::remove_all(path);
    }
};

TEST_F(EndToEnd, EachSetUpShowsItsBoxAndValuesAndWritesNothing) {
    const std::wstring expand = L"%ProgramFiles%" + kFolder.substr(16);  // after "C:\Program Files"
    // The realistic file with other line ends and one more line, the last, never scanned.
    const std::string withLast = kRealistic + "seta r_vsync \"1\"\n";
    const std::wstring multi = kFolder + L'\0' + L"D:\\" + L'\0';
    const std::string high = "\x80\x9F\xA0\xD7\xE9\xFF";
    const std::wstring absent = kFolder + L"\\Absent.exe", pipe = L"\\\\.\\pipe";
    // Letters the code page lacks, which Windows would give it as the plain ones of kFolder and kGame.
    const std::wstring lookAlike = std::regex_replace(kFolder, std::wregex(L"Fran"), L"Fr\u0101n");
    const std::wstring fullWidth = kFolder + L"\\Black\uFF2Fps.exe";
    const Row rows[] = {
        {.name = "no game key", .installType = REG_NONE, .exeType = REG_NONE, .box = kGameNotFound},
        {.name = "no InstallPath", .installType = REG_NONE, .box = kGameNotFound},
        {.name = "InstallPath of 300 characters", .install = std::wstring(300, L'x'), .box = kGameNotFound},
        {.name = "InstallPath REG_BINARY", .installType = REG_BINARY, .box = kGameNotFound},
        {.name = "InstallPath with a letter beyond the code page", .install = lookAlike, .box = kGameNotFound},
        {.name = "REG_MULTI_SZ", .installType = REG_MULTI_SZ, .install = multi},
        {.name = "REG_EXPAND_SZ", .installType = REG_EXPAND_SZ, .install = expand, .box = CannotOpen(expand)},
        {.name = "InstallPath empty", .install = L"", .box = CannotOpen(L"")},
        {.name = "no config.cfg", .file = File::None, .box = CannotOpen()},
        {.name = "config.cfg a folder", .file = File::Folder, .box = CannotOpen()},
        {.name = "config.cfg locked by another process", .file = File::Locked, .box = CannotOpen()},
        {.name = "\\\\.\\pipe, its server silent", .install = pipe, .file = File::Pipe, .box = CannotOpen(pipe)},
        {.name = "a device: /dev/zero, on Windows \\\\.\\NUL", .install = kDevice, .box = CannotOpen(kDevice)},
        {.name = "CR LF line ends", .bytes = std::regex_replace(withLast, std::regex("\n"), "\r\n")},
        {.name = "CR line ends", .bytes = std::regex_replace(withLast, std::regex("\n"), "\r")},
        {.name = "binary: quorvane.exe", .bytes = FileBytes(kProgramPath), .values = Initial()},
        {.name = "bytes 0x80 to 0xFF", .bytes = "//\nseta rate \"" + high + "\"", .values = Initial(high)},
        {.name = "1 MiB line, 50 MB after", .bytes = "//\nbind X \"" + std::string(1 << 20, 'y') + "\"\n" + kRealistic +
         std::string(50'000'000, '\n')},
        {.name = "17 MiB line 0", .bytes = std::string(17 << 20, '\0'), .box = CannotOpen()},
        {.name = "no game exe", .exe = absent, .launched = L"Cannot start:\n\n" + absent},
        {.name = "no exe values, Error in the start folder", .exeType = REG_NONE, .launched = L"Cannot start:\n\nError"},
        {.name = "empty exe values", .exe = L"", .launched = L"Cannot start:\n\n"},
        {.name = "relative exe values", .exe = kDecoys[2], .launched = L"Cannot start:\n\n" + kDecoys[2]},
        {.name = "a batch file", .exe = kBatch, .launched = L"Cannot start:\n\n" + kBatch},
        {.name = "exe values with a letter beyond the code page", .exe = fullWidth, .launched = L"Cannot start:\n\nError"},
        {.name = "decoy C:\\Program.exe", .launched = L""},
    };
    for (const Row& row : rows) Check(row);
}

TEST_F(EndToEnd, AFifoHeldOpenByAWriterIsNotRead) {
#ifdef QUORVANE_E2E_DEVICES
    const std::wstring fifo = kDevices + L"\\fifo";  // held open by a writer that never writes
    const HANDLE writer = ::CreateFileW((fifo + L"\\players\\config.cfg").c_str(), GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE) << "error " << ::GetLastError();
    Check({.name = "config.cfg a FIFO", .install = fifo, .file = File::None, .box = CannotOpen(fifo)});
    ::CloseHandle(writer);
#else
    GTEST_SKIP() << "Windows has no FIFOs; its pipes are the \\\\.\\pipe row's";
#endif
}

}  // namespace
}  // namespace quorvane::e2e
