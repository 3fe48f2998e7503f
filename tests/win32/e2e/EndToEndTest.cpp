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

    // The control where the user finds a value: right after its label.
    HWND Beside(const wchar_t* label) const {
        return ::GetWindow(::FindWindowExW(window, nullptr, L"Static", label), GW_HWNDNEXT);
    }
    Values Read() const {
        const auto beside = [&](const wchar_t* label) {
            HWND at = Beside(label);
            return ClassName(at) == L"Button" ? std::to_wstring(::SendMessageW(at, BM_GETCHECK, 0, 0)) : WindowText(at);
        };
        Values values{WindowText(window)};
        for (int i = 1; i <= 12; ++i) values.push_back(beside(kCheckLabels[i]));
        for (int i = 1; i <= 10; ++i) values.push_back(beside(kTextLabels[i]));
        return values;
    }

    void Choose(int command) const { ::PostMessageW(window, WM_COMMAND, command, 0); }
    // Exit from the menu: the program's exit code once it has ended.
    DWORD Exit() const {
        Choose(IDM_EXIT);
        DWORD code = ~0u;
        return ::WaitForSingleObject(process, 15000) == WAIT_OBJECT_0 && ::GetExitCodeProcess(process, &code) ? code : ~0u;
    }

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
// From the start to the window, whatever the key and config.cfg hold: only a hang fails (bench.sh times the start).
constexpr DWORD kWindowWithinMs = 20000;
constexpr DWORD kWaitMs = 15000;  // for what must come, before giving up

const std::wstring kGameNotFound = std::wstring(L"Game Not Found:\n\nHKEY_LOCAL_MACHINE\\") + kSubKey;
std::wstring CannotOpen(std::wstring in = kFolder) { return L"Cannot open:\n\n" + in + L"\\players\\config.cfg"; }

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
const std::string kRealistic = FileBytes(HostPathToWindows(QUORVANE_TEST_DATA_DIR L"/config.cfg"));

Values Initial() {
    Values values(23, L"0");
    values[0] = kTitle;
    values[10] = values[11] = L"1";
    return values;
}
Values Realistic() {
    Values values{kTitle};
    for (int i = 1; i <= 12; ++i) values.push_back(std::to_wstring(kRealisticChecks[i]));
    for (int i = 1; i <= 10; ++i) values.push_back(kRealisticTexts[i]);
    return values;
}

// `values` with text box Text<n> showing `text`.
Values WithText(Values values, int n, const std::wstring& text) {
    values[12 + n] = text;
    return values;
}
// What a text box shows of a very long value: its first few thousand characters.
const std::wstring kLongValue(4096, L'x');

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

// Pipe: \\.\pipe\players\config.cfg has a server that never sends. Writing: as Written,
// but the other process is the game, holding it open for writing.
enum class File { Written, Writing, None, Folder, Locked, Pipe };

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

// Returns the handle of another process's hold on config.cfg: for reading, sharing it for
// reading only, so that a program asking for more than reading could not open it; for
// writing, sharing reading and writing, as the game does; or not shared at all.
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
    const bool game = row.file == File::Writing;
    const DWORD share = row.file == File::Locked ? 0 : game ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    return ::CreateFileW(kConfig.c_str(), game ? GENERIC_WRITE : GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

// One row: its set-up, the program started, its boxes and values, Launch, Save Settings and
// Exit, and nothing written.
void Check(const Row& row) {
    SCOPED_TRACE(row.name);
    const HANDLE lock = Arrange(row);
    const auto written = WrittenState();
    const ULONGLONG start = ::GetTickCount64();
    Program program;
    EXPECT_EQ(program.BoxesUntilWindow(kWindowWithinMs), row.box.empty() ? Values{} : Values{row.box});
    EXPECT_LT(::GetTickCount64() - start, kWindowWithinMs) << "no window: a hang";
    std::printf("%-50s window after %5llu ms\n", row.name, ::GetTickCount64() - start);
    // Once a lock goes, the window would show the file: it follows config.cfg.
    if (row.file != File::Locked) ::CloseHandle(lock);
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
    EXPECT_EQ(program.Exit(), 0u);
    EXPECT_EQ(WrittenState(), written);
    if (row.file == File::Locked) ::CloseHandle(lock);
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
    const std::wstring absent = kFolder + L"\\Absent.exe", pipe = L"\\\\.\\pipe";
    // A letter the code page lacks, which Windows would give it as the plain one of kFolder.
    const std::wstring lookAlike = std::regex_replace(kFolder, std::wregex(L"Fran"), L"Fr\u0101n");
    const Row rows[] = {
        {.name = "no game key", .installType = REG_NONE, .exeType = REG_NONE, .box = kGameNotFound},
        {.name = "no InstallPath", .installType = REG_NONE, .box = kGameNotFound},
        {.name = "InstallPath of 300 characters", .install = std::wstring(300, L'x'), .box = kGameNotFound},
        {.name = "InstallPath REG_BINARY", .installType = REG_BINARY, .box = kGameNotFound},
        {.name = "InstallPath with a letter beyond the code page", .install = lookAlike, .box = kGameNotFound},
        {.name = "REG_MULTI_SZ", .installType = REG_MULTI_SZ, .install = multi},
        // A folder that is not absolute would be looked for wherever the program started.
        {.name = "REG_EXPAND_SZ", .installType = REG_EXPAND_SZ, .install = expand, .box = kGameNotFound},
        {.name = "InstallPath empty", .install = L"", .box = kGameNotFound},
        {.name = "no config.cfg", .file = File::None, .box = CannotOpen()},
        {.name = "config.cfg a folder", .file = File::Folder, .box = CannotOpen()},
        {.name = "config.cfg locked by another process", .file = File::Locked, .box = CannotOpen()},
        {.name = "\\\\.\\pipe, its server silent", .install = pipe, .file = File::Pipe, .box = CannotOpen(pipe)},
        {.name = "a device: /dev/zero, on Windows \\\\.\\NUL", .install = kDevice, .box = CannotOpen(kDevice)},
        {.name = "CR LF line ends", .bytes = std::regex_replace(withLast, std::regex("\n"), "\r\n")},
        {.name = "CR line ends, the game writing", .bytes = std::regex_replace(withLast, std::regex("\n"), "\r"),
         .file = File::Writing},
        {.name = "binary: quorvane.exe", .bytes = FileBytes(kProgramPath), .values = Initial()},
        {.name = "bytes 0x80 to 0xFF", .bytes = "//\nseta rate \"\x80\x9F\xA0\xD7\xE9\xFF\"",  // in Windows-1252
         .values = WithText(Initial(), 10, L"\u20AC\u0178\u00A0\u00D7\u00E9\u00FF")},
        {.name = "a value of 15 MiB", .bytes = std::regex_replace(kRealistic, std::regex("seta r_mode \"[^\"]*\""),
         "seta r_mode \"" + std::string(15 << 20, 'x') + "\""), .values = WithText(Realistic(), 3, kLongValue)},
        {.name = "com_maxfps of 15 MiB, no closing quote", .bytes = std::regex_replace(kRealistic,
         std::regex("seta com_maxfps \"[^\"]*\""), "seta com_maxfps \"" + std::string(15 << 20, 'x')), .values = WithText(Realistic(), 1, kLongValue)},
        {.name = "17 MiB line 0", .bytes = std::string(17 << 20, '\0'), .box = CannotOpen()},
        {.name = "no game exe", .exe = absent, .launched = L"Cannot start:\n\n" + absent},
        {.name = "no exe values, Error in the start folder", .exeType = REG_NONE, .launched = L"Cannot start:\n\nError"},
        {.name = "empty exe values", .exe = L"", .launched = L"Cannot start:\n\n"},
        {.name = "relative exe values", .exe = kDecoys[2], .launched = L"Cannot start:\n\n" + kDecoys[2]},
        {.name = "a batch file", .exe = kBatch, .launched = L"Cannot start:\n\n" + kBatch},
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

// The window follows config.cfg as the game writes it: replaced, shared for reading and
// writing, in pieces; in a burst; deleted and written again. What the user typed stays
// where the file did not change. F5 reads at once, and says when it cannot.
TEST_F(EndToEnd, TheWindowFollowsConfigCfgAsTheGameWritesIt) {
    ::CloseHandle(Arrange({.name = ""}));
    Program program;
    ASSERT_EQ(program.BoxesUntilWindow(kWaitMs), Values{});
    std::string bytes = kRealistic;
    Values shown = Realistic();
    // Sets a setting's value in the file, and what its control then shows.
    const auto set = [&](const char* name, const std::string& value, int at) {
        bytes = std::regex_replace(bytes, std::regex(std::string("seta ") + name + " \"[^\"]*\""),
                                   std::string("seta ") + name + " \"" + value + "\"");
        shown[at] = std::wstring(value.begin(), value.end());
    };
    const auto gameWrites = [&](bool keepTime = false) {  // with keepTime, as if nothing were written
        WIN32_FILE_ATTRIBUTE_DATA before{};
        ::GetFileAttributesExW(kConfig.c_str(), GetFileExInfoStandard, &before);
        const HANDLE file = ::CreateFileW(kConfig.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          CREATE_ALWAYS, 0, nullptr);
        DWORD count = 0;
        for (std::size_t at = 0; at < bytes.size(); at += 4000) {
            ::WriteFile(file, bytes.data() + at, DWORD(std::min<std::size_t>(4000, bytes.size() - at)), &count, nullptr);
        }
        if (keepTime) ::SetFileTime(file, nullptr, nullptr, &before.ftLastWriteTime);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << "the game could not write its file";
        ::CloseHandle(file);
    };
    const auto showsWithin = [&](DWORD ms) { return PollUntil(ms, [&] { return program.Read() == shown; }); };

    ::SetWindowTextW(program.Beside(L"Resolution"), L"typed");
    ::SetWindowTextW(program.Beside(L"Sensitivity"), L"typed");
    shown[15] = L"typed";
    set("r_vsync", "1", 7);
    set("sensitivity", "9.5", 21);
    gameWrites();
    EXPECT_TRUE(showsWithin(2000)) << "one rewrite";
    for (int i = 0; i < 20; ++i, ::Sleep(60)) {
        set("r_gamma", "1." + std::to_string(i), 17);
        gameWrites();
    }
    EXPECT_TRUE(showsWithin(2000)) << "a burst of rewrites";
    ::DeleteFileW(kConfig.c_str());
    ::Sleep(600);
    EXPECT_EQ(program.Box(0), std::nullopt);
    EXPECT_EQ(program.Read(), shown) << "deleted";
    set("cg_brass", "1", 1);
    gameWrites();
    EXPECT_TRUE(showsWithin(2000)) << "written again";
    set("r_vsync", "0", 7);  // the same size and time: the watch sees nothing to read
    gameWrites(true);
    ::Sleep(600);
    shown[7] = L"1";
    EXPECT_EQ(program.Read(), shown);
    ::PostMessageW(program.window, WM_KEYDOWN, VK_F5, 0);
    shown[7] = L"0";
    EXPECT_TRUE(showsWithin(2000)) << "F5";
    ::DeleteFileW(kConfig.c_str());
    ::PostMessageW(program.window, WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(program.Box(kWaitMs), CannotOpen());
    EXPECT_EQ(program.Exit(), 0u);
}

// Another program's messages while one of the program's boxes is up, taken by the box's
// own loop: commands are ignored rather than opening a box in the box, and a posted
// density change, whatever its rectangle, is never acted on.
TEST_F(EndToEnd, AnotherProgramsMessagesWhileABoxIsUpChangeNothing) {
    ::CloseHandle(Arrange({.name = "", .install = L"Rel"}));  // "Game Not Found:" while the window is hidden
    Program program;
    const auto forge = [&](HWND window) {
        RECT before{}, after{}, client{};
        ::GetWindowRect(window, &before);
        const LPARAM readable = ::GetWindowLongPtrW(window, GWLP_HINSTANCE);  // the program's own image
        for (const LPARAM rect : {LPARAM{0x10}, LPARAM{0}, readable}) {
            ::PostMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), rect);
        }
        for (int i = 0; i < 5000; ++i) ::PostMessageW(window, WM_COMMAND, IDM_ABOUT, 0);
        // A tick posted last: once it shows, the box's loop has taken all the rest.
        HWND marker = ::GetWindow(::FindWindowExW(window, nullptr, L"Static", L"Shell Ejection"), GW_HWNDNEXT);
        const LRESULT was = ::SendMessageW(marker, BM_GETCHECK, 0, 0);
        ::PostMessageW(marker, BM_SETCHECK, was == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        EXPECT_TRUE(PollUntil(kWaitMs, [&] { return ::SendMessageW(marker, BM_GETCHECK, 0, 0) != was; }));
        ::GetWindowRect(window, &after);
        ::GetClientRect(window, &client);
        EXPECT_TRUE(::EqualRect(&before, &after) && client.right == 437 && client.bottom == 281)
            << after.left << ',' << after.top << " client " << client.right << 'x' << client.bottom;
    };
    HWND hidden = nullptr;
    ASSERT_TRUE(PollUntil(kWaitMs, [&] { return program.Find(true) && (hidden = ::FindWindowW(L"QuorvaneForm1", nullptr)); }));
    forge(hidden);
    EXPECT_EQ(program.BoxesUntilWindow(kWaitMs), Values{kGameNotFound});
    program.Choose(IDM_ABOUT);
    ASSERT_TRUE(PollUntil(kWaitMs, [&] { return program.Find(true) != nullptr; }));
    forge(program.window);
    EXPECT_EQ(program.Box(0).value_or(L"").substr(0, 10), L"Delmarrow ");
    EXPECT_EQ(program.Box(1000), std::nullopt) << "a box in a box";
    EXPECT_EQ(program.Exit(), 0u);
}

}  // namespace
}  // namespace quorvane::e2e
