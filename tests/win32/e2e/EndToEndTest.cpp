// The real quorvane.exe, on Windows or under Wine, started once per row: the game's
// registry key and its config.cfg as the row sets them up, the box shown while loading,
// the values beside their labels, what Launch shows, a clean exit, and the players folder
// and key unchanged.
#include "Version.h"
#include "tests/data/RealisticSettings.h"
#include "ui/ResourceIds.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
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

// A path as CMake gives it, with backslashes; a host path as Wine shows it (the host's root is drive Z:).
std::wstring HostPathToWindows(std::wstring path) {
    const bool host = path.starts_with(L'/');
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return host ? L"Z:" + path : path;
}

// quorvane.exe, as built beside the tests.
const std::wstring kProgramPath = HostPathToWindows(QUORVANE_PROGRAM_PATH);

// Through WM_GETTEXT, so that it reads controls of other processes too.
std::wstring WindowText(HWND window) {
    std::wstring text(32768, L'\0');
    const LPARAM buffer = reinterpret_cast<LPARAM>(text.data());
    const bool ok = ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), buffer, SMTO_ABORTIFHUNG, 5000, nullptr);
    return ok ? text.c_str() : L"<no answer>";
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// Calls found() until it says yes or the time is up; true if it said yes.
template <typename Found>
bool PollUntil(DWORD timeoutMs, Found found) {
    for (const ULONGLONG end = ::GetTickCount64() + timeoutMs; !found(); ::Sleep(25)) {
        if (::GetTickCount64() >= end) return false;
    }
    return true;
}

// What the program shows and reads, written here as the user sees it.
constexpr wchar_t kSubKey[] = L"SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";  // of HKEY_LOCAL_MACHINE
constexpr wchar_t kTitle[] = L"Quorvane " QUORVANE_APP_VERSION L" by Pellowan (Debug Mode, Read Only)";

// Drives the program from outside: its boxes, its window's controls, its menu, its exit.
struct Program {
    explicit Program(const std::wstring& path = kProgramPath) {  // if it cannot start, every wait below fails at once
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        ::CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr, &startup, &started);
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
        std::wstring look = WindowText(box) == L"Quorvane by Pellowan" ? L"" : L"<" + WindowText(box) + L"> ";
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
        for (int i = 1; i <= 22; ++i) values.push_back(beside(i <= 12 ? kCheckLabels[i] : kTextLabels[i - 12]));
        return values;
    }

    void Choose(int command) const { ::PostMessageW(window, WM_COMMAND, command, 0); }
    // Exit from the menu: the program's exit code once it has ended.
    DWORD Exit() const {
        Choose(IDM_EXIT);
        return Ended();
    }
    DWORD Ended() const {
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
const std::wstring kBatch = kFolder + L"\\run.bat";  // would write run.bat.ran beside itself
// Removed before each row and at the end.
const fs::path kScratch[] = {kFolder,    kDecoys[0], kDecoys[0] + L".ran", kDecoys[1], kDecoys[1] + L".ran",
                             kDecoys[2], kDecoys[2] + L".ran"};
#ifdef QUORVANE_E2E_DEVICES  // under Wine, made on the Linux host (CMakeLists.txt)
// Holds the folder zero, whose players\config.cfg is a host link to /dev/zero.
const std::wstring kDevice = HostPathToWindows(QUORVANE_E2E_DEVICES) + L"\\zero";
#else  // Windows: the null device takes the rest of the path as its own, players\config.cfg
const std::wstring kDevice = L"\\\\.\\NUL";
#endif
// For what must come, the window included whatever the key and config.cfg hold, before
// giving up: only a hang fails (bench.sh times the start).
constexpr DWORD kWaitMs = 20000;

const std::wstring kGameNotFound = std::wstring(L"Game Not Found:\n\nHKEY_LOCAL_MACHINE\\") + kSubKey;
std::wstring CannotOpen(std::wstring in = kFolder) { return L"Cannot open:\n\n" + in + L"\\players\\config.cfg"; }

std::string Utf16(const std::wstring& text) { return {reinterpret_cast<const char*>(text.data()), text.size() * 2}; }
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
    for (int i = 1; i <= 22; ++i) values.push_back(i <= 12 ? std::to_wstring(kRealisticChecks[i]) : kRealisticTexts[i - 12]);
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
// but the other process is the game, holding it open for writing. Replacing: held by a
// program that may delete or replace it (reading and deletion, sharing everything).
enum class File { Written, Writing, Replacing, Folder, Locked, Pipe };

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
// writing, sharing reading and writing, as the game does; for deletion; or not shared at all.
HANDLE Arrange(const Row& row) {
    WriteKey(row.installType, row.install, row.exeType, row.exe);
    for (const fs::path& path : kScratch) fs::remove_all(path);
    fs::create_directories(kConfig.parent_path());
    for (const std::wstring& program : {kGame, kDecoys[0], kDecoys[1], kDecoys[2]}) {
        if (row.launched) fs::copy_file(HostPathToWindows(QUORVANE_MARKER_PROGRAM), program);
    }
    if (row.launched) std::ofstream(fs::path(kBatch)) << "echo ran > \"%~f0.ran\"\r\n";
    if (row.file == File::Folder) fs::create_directory(kConfig);
    if (row.file == File::Pipe) {
        return ::CreateNamedPipeW(L"\\\\.\\pipe\\players\\config.cfg", PIPE_ACCESS_OUTBOUND, 0, 1, 0, 0, 0, nullptr);
    }
    if (row.file == File::Folder) return INVALID_HANDLE_VALUE;
    std::ofstream(kConfig, std::ios::binary) << row.bytes;
    // An old time, so that a rewrite shows even within the file system's time resolution.
    fs::last_write_time(kConfig, fs::last_write_time(kConfig) - std::chrono::hours(48));
    const bool game = row.file == File::Writing, replacing = row.file == File::Replacing;
    const DWORD share = row.file == File::Locked ? 0
                        : replacing          ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                        : game               ? FILE_SHARE_READ | FILE_SHARE_WRITE
                                             : FILE_SHARE_READ;
    const DWORD rights = game ? GENERIC_WRITE : replacing ? GENERIC_READ | DELETE : GENERIC_READ;
    return ::CreateFileW(kConfig.c_str(), rights, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

// One row: its set-up, the program started, its boxes and values, Launch, Save Settings and
// Exit, and nothing written.
void Check(const Row& row) {
    SCOPED_TRACE(row.name);
    const HANDLE lock = Arrange(row);
    const auto written = WrittenState();
    Program program;
    EXPECT_EQ(program.BoxesUntilWindow(kWaitMs), row.box.empty() ? Values{} : Values{row.box});
    for (int command : {IDM_LAUNCH, IDM_LAUNCHMP}) {
        if (!row.launched) break;
        program.Choose(command);
        EXPECT_EQ(program.Box(row.launched->empty() ? 1000 : kWaitMs),
                  row.launched->empty() ? std::nullopt : row.launched);
    }
    if (row.launched == L"") {  // each start: the path as the command line, minimised, in the game's folder
        const std::string ran = FileBytes(kGame + L".ran"), run = Utf16(L'"' + kGame + L"\"\t2\t" + kFolder + L"\n");
        EXPECT_EQ(ran, run + run);
    }
    for (const std::wstring& decoy : {kDecoys[0], kDecoys[1], kDecoys[2], kBatch}) {
        EXPECT_FALSE(fs::exists(decoy + L".ran")) << "a decoy ran: " << fs::path(decoy);
    }
    EXPECT_EQ(program.Read(), !row.values.empty() ? row.values : row.box.empty() ? Realistic() : Initial());
    program.Choose(IDM_SAVE);
    EXPECT_EQ(program.Exit(), 0u);
    EXPECT_EQ(WrittenState(), written);
    ::CloseHandle(lock);  // only now: the window follows config.cfg
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
        {.name = "InstallPath with a letter beyond the code page", .install = lookAlike, .box = kGameNotFound},
        {.name = "REG_MULTI_SZ", .installType = REG_MULTI_SZ, .install = multi},
        // A folder that is not absolute would be looked for wherever the program started.
        {.name = "REG_EXPAND_SZ", .installType = REG_EXPAND_SZ, .install = expand, .box = kGameNotFound},
        {.name = "config.cfg a folder", .file = File::Folder, .box = CannotOpen()},
        {.name = "config.cfg locked by another process", .file = File::Locked, .box = CannotOpen()},
        // Read while held so, it would vanish when read if that program deleted it meanwhile.
        {.name = "config.cfg held by a program that may delete it", .file = File::Replacing, .box = CannotOpen()},
        {.name = "\\\\.\\pipe, its server silent", .install = pipe, .file = File::Pipe, .box = CannotOpen(pipe)},
        {.name = "a device: /dev/zero, on Windows \\\\.\\NUL", .install = kDevice, .box = CannotOpen(kDevice)},
        {.name = "CR line ends, the game writing", .bytes = std::regex_replace(withLast, std::regex("\n"), "\r"),
         .file = File::Writing},
        {.name = "binary: quorvane.exe", .bytes = FileBytes(kProgramPath), .values = Initial()},
        {.name = "bytes 0x80 to 0xFF", .bytes = "//\nseta rate \"\x80\x9F\xA0\xD7\xE9\xFF\"",  // in Windows-1252
         .values = WithText(Initial(), 10, L"\u20AC\u0178\u00A0\u00D7\u00E9\u00FF")},
        {.name = "com_maxfps of 15 MiB, no closing quote", .bytes = std::regex_replace(kRealistic,
         std::regex("seta com_maxfps \"[^\"]*\""), "seta com_maxfps \"" + std::string(15 << 20, 'x')), .values = WithText(Realistic(), 1, kLongValue)},
        {.name = "17 MiB line 0", .bytes = std::string(17 << 20, '\0'), .box = CannotOpen()},
        {.name = "no game exe", .exe = absent, .launched = L"Cannot start:\n\n" + absent},
        {.name = "no exe values, Error in the start folder", .exeType = REG_NONE, .launched = L"Cannot start:\n\nError"},
        {.name = "empty exe values", .exe = L"", .launched = L"Cannot start:\n\n"},
        {.name = "a batch file in quotes", .exe = L'"' + kBatch + L'"', .launched = L"Cannot start:\n\n\"" + kBatch + L'"'},
        // The path in quotes, a blank after them: the path inside is started.
        {.name = "decoy C:\\Program.exe, the path quoted", .exe = L'"' + kGame + L"\" ", .launched = L""},
    };
    for (const Row& row : rows) Check(row);
}

// config.cfg with setting `name` given `value`, and the window showing it at `at`.
struct Edit {
    std::string bytes = kRealistic;
    Values shown = Realistic();
    Edit& Set(const char* name, const std::string& value, int at) {
        bytes = std::regex_replace(bytes, std::regex(std::string("seta ") + name + " \"[^\"]*\""),
                                   std::string("seta ") + name + " \"" + value + "\"");
        if (at) shown[at] = std::wstring(value.begin(), value.end()).substr(0, kLongValue.size());
        return *this;
    }
};

// Ways programs save a file. The game's: truncate it and write, sharing reading and writing.
// Others: a temporary file moved over it, or the file deleted and made again. A step the
// file's other users refuse is tried again every 5 ms; returns the longest they refused one.
enum class Save { Truncate, Move, Recreate };
ULONGLONG SaveConfig(Save how, const std::string& bytes, DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE,
                     DWORD holdMs = 0) {
    const std::wstring temp = kConfig.wstring() + L".new";
    ULONGLONG refused = 0;
    const auto retry = [&](auto step) {  // for at most 5 s
        for (const ULONGLONG from = ::GetTickCount64(); !step() && ::GetTickCount64() - from < 5000; ::Sleep(5)) {
            refused = std::max<ULONGLONG>(refused, ::GetTickCount64() - from + 5);
        }
    };
    if (how == Save::Recreate) {
        retry([] { return ::DeleteFileW(kConfig.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND; });
    }
    const std::wstring target = how == Save::Move ? temp : kConfig.wstring();
    HANDLE file = INVALID_HANDLE_VALUE;
    retry([&] {
        file = ::CreateFileW(target.c_str(), GENERIC_WRITE, share, nullptr, CREATE_ALWAYS, 0, nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    DWORD count = 0;
    for (std::size_t at = 0; at < bytes.size(); at += 4000) {  // in pieces, as the game writes
        ::WriteFile(file, bytes.data() + at, DWORD(std::min<std::size_t>(4000, bytes.size() - at)), &count, nullptr);
    }
    ::Sleep(holdMs);
    ::CloseHandle(file);
    if (how == Save::Move) retry([&] { return ::MoveFileExW(temp.c_str(), kConfig.c_str(), MOVEFILE_REPLACE_EXISTING); });
    return refused;
}

// Programs save config.cfg every 80 ms for 3 s, each way, and a file beside it with each
// save, while the window follows it: the game's way is never refused, the others only
// briefly; a save shows within about 1 s, though the folder is never quiet; the file ends
// as its writer last wrote it, and the window shows that. With the demo's file, and with
// one that holds a 15 MiB value, which takes each read longest to copy.
TEST_F(EndToEnd, ConfigCfgEndsAsItsWriterLastSavedItAndTheWindowShowsThat) {
    for (const std::size_t big : {0, 15 << 20}) {
        for (const Save how : {Save::Truncate, Save::Move, Save::Recreate}) {
            SCOPED_TRACE(std::to_string(big) + " bytes more, way " + std::to_string(int(how)));
            Edit file;
            file.Set("r_mode", "@", 0).shown[15] = std::wstring(std::min(big + 1, kLongValue.size()), L'x');
            const auto bytes = [&] {  // r_mode's value put in last: a regular expression would take long
                return std::string(file.bytes).replace(file.bytes.find("\"@\"") + 1, 1, std::string(big + 1, 'x'));
            };
            ::CloseHandle(Arrange({.name = "", .bytes = bytes()}));
            Program program;
            ASSERT_EQ(program.BoxesUntilWindow(kWaitMs), Values{});
            ULONGLONG refused = 0, shown = 0;  // shown: how long after the first save one was shown
            for (ULONGLONG start = ::GetTickCount64(), at = start, i = 0; at - start < 3200; ++i, at = ::GetTickCount64()) {
                file.Set("r_gamma", "1." + std::to_string(i), 17);
                refused = std::max(refused, SaveConfig(how, bytes()));
                std::ofstream(kConfig.parent_path() / "config_mp.cfg") << i;
                if (!shown && WindowText(program.Beside(L"Gamma")) != L"0.8") shown = ::GetTickCount64() - start;
                ::Sleep(DWORD(80 - std::min<ULONGLONG>(80, ::GetTickCount64() - at)));
            }
            std::printf("way %d, %zu bytes more: refused %llu ms, shown after %llu ms\n", int(how), big, refused, shown);
            EXPECT_TRUE(how == Save::Truncate ? refused == 0 : refused < 1000) << "refused for " << refused << " ms";
            EXPECT_TRUE(shown && shown < (big ? 3000u : 1300u)) << "nothing shown while the saves went on";
            EXPECT_TRUE(FileBytes(kConfig) == bytes()) << "config.cfg is not as last saved";
            EXPECT_TRUE(PollUntil(kWaitMs, [&] { return program.Read() == file.shown; }));
            EXPECT_EQ(program.Exit(), 0u);
        }
    }
}

// The window follows config.cfg: from no players folder at start, through a change that
// keeps its size and time, a writer that holds it unshared, players deleted and made
// again; what the user typed stays where the file did not change. F5 shows the whole
// file again, and says when it cannot. Idle, no CPU.
TEST_F(EndToEnd, TheWindowFollowsConfigCfgWhateverHappensToIt) {
    ::CloseHandle(Arrange({.name = ""}));
    fs::remove_all(kConfig.parent_path());
    Program program;
    ASSERT_EQ(program.BoxesUntilWindow(kWaitMs), Values{CannotOpen()});
    Edit file;
    const auto shown = [&] { return PollUntil(kWaitMs, [&] { return program.Read() == file.shown; }); };
    fs::create_directory(kConfig.parent_path());
    SaveConfig(Save::Truncate, file.bytes);
    EXPECT_TRUE(shown()) << "players made, then config.cfg";

    ::SetWindowTextW(program.Beside(L"Resolution"), L"typed");
    ::SetWindowTextW(program.Beside(L"Sensitivity"), L"typed");
    file.shown[15] = L"typed";
    SaveConfig(Save::Truncate, file.Set("sensitivity", "9.5", 21).Set("r_vsync", "1", 7).bytes);
    EXPECT_TRUE(shown()) << "rewritten";

    const fs::file_time_type before = fs::last_write_time(kConfig);
    SaveConfig(Save::Truncate, file.Set("r_vsync", "0", 7).bytes);
    fs::last_write_time(kConfig, before);
    EXPECT_TRUE(shown()) << "the same size and time";

    SaveConfig(Save::Truncate, file.Set("cg_brass", "1", 1).bytes, 0, 300);
    EXPECT_TRUE(shown()) << "held unshared while written";

    // players deleted, its loss taken (a read that fails: no box, every value as it was, text
    // typed into Resolution included), then made again: the later value shows beside the rest.
    fs::remove_all(kConfig.parent_path());
    ::Sleep(600);
    fs::create_directory(kConfig.parent_path());
    SaveConfig(Save::Truncate, file.Set("rate", "30000", 22).bytes);
    EXPECT_TRUE(shown()) << "players made again";
    EXPECT_EQ(program.Box(0), std::nullopt);
    SaveConfig(Save::Truncate, file.Set("rate", "40000", 22).bytes);
    EXPECT_TRUE(shown()) << "and written later";

    FILETIME created, ended, kernel, user, kernelAfter, userAfter;
    ::GetProcessTimes(program.process, &created, &ended, &kernel, &user);
    ::Sleep(10000);
    ::GetProcessTimes(program.process, &created, &ended, &kernelAfter, &userAfter);
    const auto ms = [](FILETIME t) { return (ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000; };
    EXPECT_LT(ms(kernelAfter) + ms(userAfter) - ms(kernel) - ms(user), 100u) << "CPU time of an idle window, in ms";

    ::SetWindowTextW(program.Beside(L"Gamma"), L"other");
    ::PostMessageW(program.Beside(L"VSync"), BM_SETCHECK, BST_CHECKED, 0);
    file.shown[15] = L"1680x1050";
    ::PostMessageW(program.window, WM_KEYDOWN, VK_F5, 0);
    EXPECT_TRUE(shown()) << "F5 shows the whole file";
    ::DeleteFileW(kConfig.c_str());
    ::PostMessageW(program.window, WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(program.Box(kWaitMs), CannotOpen());
    EXPECT_EQ(program.Exit(), 0u);
}

// Another program's messages while one of the program's boxes is up, taken by the box's
// own loop: commands are ignored rather than opening a box in the box, even with the window
// enabled again; a posted density change, whatever its rectangle, a timer calling back
// into nowhere and a creation sent to the made window are never acted on. The window's
// end, however it comes, is the program's.
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
        ::PostMessageW(window, WM_TIMER, 7, 0x10);
        CREATESTRUCTW create{};
        create.lpCreateParams = reinterpret_cast<void*>(0x10);
        ::SendMessageTimeoutW(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create), SMTO_ABORTIFHUNG, 5000, nullptr);
        ::EnableWindow(window, TRUE);
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
    EXPECT_EQ(program.Box(0), L"Delmarrow " QUORVANE_APP_VERSION L"\r\nQuorvane " QUORVANE_APP_VERSION
              L" by Pellowan\r\nE-Mail: pellowan@example.com\r\nBlog: https://blog.example.com/pellowan");
    EXPECT_EQ(program.Box(1000), std::nullopt) << "a box in a box";
    ::PostMessageW(program.window, WM_NCDESTROY, 0, 0);
    ::PostMessageW(program.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.Ended(), 0u) << "the window closed, the program on";
}

// quorvane.exe's first step keeps DLLs out of its own folder. Under Wine each DLL of
// Windows' has a builtin that loads whatever the search, so the program is made to load one
// of another name: the annotation service, which it creates when a client first asks a
// check box for itself, is registered as a DLL beside a copy of the program, by its full
// path (it loads: the program does ask) and by its name (it must not); then as it was.
TEST_F(EndToEnd, ADllBesideTheProgramIsNotLoadedByName) {
    const fs::path exe = kFolder + L"\\copy\\quorvane.exe", dll = exe.parent_path() / L"quorvane_planted.dll";
    const wchar_t* const key = L"Software\\Classes\\CLSID\\{b5f8350b-0548-48b1-a6ee-88bd00b4a5e7}\\InprocServer32";
    std::wstring was(MAX_PATH, L'\0');
    DWORD type = 0, size = MAX_PATH * sizeof(wchar_t);
    ASSERT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_ANY | RRF_NOEXPAND, &type, was.data(), &size), 0);
    ::CloseHandle(Arrange({.name = ""}));
    fs::create_directories(exe.parent_path());
    fs::copy_file(kProgramPath, exe);
    fs::copy_file(HostPathToWindows(QUORVANE_PLANTED_DLL), dll);
    for (const std::wstring& name : {dll.wstring(), std::wstring(L"quorvane_planted.dll")}) {
        if (::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, name.c_str(), DWORD(name.size() + 1) * 2)) {
            GTEST_SKIP() << "the service's registration cannot be changed here (on Windows it is the system's own)";
        }
        Program program(exe);
        EXPECT_EQ(program.BoxesUntilWindow(kWaitMs), Values{});
        ::SendMessageTimeoutW(program.Beside(L"Shell Ejection"), WM_GETOBJECT, 0, LPARAM{OBJID_CLIENT}, SMTO_ABORTIFHUNG,
                              5000, nullptr);
        const HANDLE loaded = ::OpenEventW(SYNCHRONIZE, FALSE, L"quorvane_planted_loaded");  // its DllMain's
        EXPECT_EQ(loaded != nullptr, name == dll) << (loaded ? "loaded: " : "the program did not ask for ") << name;
        ::CloseHandle(loaded);
        EXPECT_EQ(program.Exit(), 0u);
    }
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, type, was.data(), size);
}

}  // namespace
}  // namespace quorvane::e2e
