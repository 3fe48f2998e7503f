// The real quorvane.exe under Wine, started once per row: the game's registry key and
// its config.cfg as the row sets them up, the box shown while loading, the values in the
// window, what Launch shows, a clean exit, and the players folder and key unchanged.
#include "tests/data/RealisticSettings.h"
#include "tests/win32/e2e/ProgramDriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace quorvane::e2e {
namespace {

namespace fs = std::filesystem;
using Values = std::vector<std::wstring>;  // as Program::Read() gives them

// Spaces and letters beyond ASCII, as install folders have. Cut at its first space,
// the game's path names the decoy C:\Program.exe.
const std::wstring kFolder = L"C:\\Program Files\\Quorvane E2E \u00c9dition Fran\u00e7aise";
const fs::path kPlayers = kFolder + L"\\players";
const std::wstring kGame = kFolder + L"\\BlackOps.exe";
const std::wstring kDecoy = L"C:\\Program.exe";
// Folders whose players\config.cfg is a host link to /dev/zero or /dev/urandom.
const std::wstring kZero = HostPathToWindows(QUORVANE_E2E_DEVICES L"/zero");
const std::wstring kRandom = HostPathToWindows(QUORVANE_E2E_DEVICES L"/urandom");
// From the start to the window, whatever config.cfg is (here 1.5 s at most).
constexpr DWORD kBoundMs = 15000;

const std::wstring kGameNotFound = std::wstring(L"Game Not Found:\n\n") + kTestGameKeyPath;
std::wstring CannotOpen(const std::wstring& folder = kFolder) {
    return L"Cannot open:\n\n" + folder + L"\\players\\config.cfg";
}

std::string FileBytes(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}
const std::string kRealistic = FileBytes(HostPathToWindows(QUORVANE_TEST_DATA_DIR L"/config.cfg"));

// Text10 given as bytes of config.cfg: characters of the ANSI code page.
Values Initial(const std::string& text10 = "0") {
    Values values(23, L"0");
    values[0] = kTestWindowTitle;
    values[10] = values[11] = L"1";
    wchar_t text[64] = {};
    ::MultiByteToWideChar(CP_ACP, 0, text10.c_str(), -1, text, 64);
    values[22] = text;
    return values;
}
Values Realistic() {
    Values values{kTestWindowTitle};
    for (int i = 1; i <= 12; ++i) values.push_back(std::to_wstring(kRealisticChecks[i]));
    for (int i = 1; i <= 10; ++i) values.push_back(kRealisticTexts[i]);
    return values;
}

// The realistic file with other line ends, and a last line, which is never scanned.
std::string LineEnds(const std::string& end) {
    std::string bytes;
    for (char ch : kRealistic + "seta r_vsync \"1\"\n") bytes += ch == '\n' ? end : std::string(1, ch);
    return bytes;
}
std::string Garbage() {
    std::string bytes;
    for (unsigned i = 0; i < 256 * 1024; ++i) bytes += static_cast<char>((i * 2654435761u) >> 24);
    return bytes;
}

// The game's values: name, type (REG_NONE: left out) and data. Written through the
// 64-bit view at the literal path, as a 64-bit installer writes them; none: no key.
using Key = std::vector<std::tuple<const wchar_t*, DWORD, std::wstring>>;
Key GameKey(DWORD installType, const std::wstring& install, DWORD exeType, const std::wstring& exe) {
    return {{L"InstallPath", installType, install}, {L"SPExePath", exeType, exe}, {L"MPExePath", exeType, exe}};
}
Key Install(DWORD type, const std::wstring& path) { return GameKey(type, path, REG_SZ, kGame); }
Key Exes(DWORD type, const std::wstring& path) { return GameKey(REG_SZ, kFolder, type, path); }

void WriteKey(const Key& values) {
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kTestGameSubKey, KEY_WOW64_64KEY, 0);
    HKEY key = nullptr;
    if (values.empty()) return;
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTestGameSubKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                      &key, nullptr);
    for (const auto& [name, type, data] : values) {
        const auto* bytes = reinterpret_cast<const BYTE*>(data.c_str());
        if (type != REG_NONE) ::RegSetValueExW(key, name, 0, type, bytes, DWORD(data.size() + 1) * sizeof(wchar_t));
    }
    ::RegCloseKey(key);
}

// The players folder's entries with their times, and every value of the game's key.
std::pair<std::map<fs::path, fs::file_time_type>, std::wstring> WrittenState() {
    std::pair<std::map<fs::path, fs::file_time_type>, std::wstring> state;
    for (const auto& entry : fs::directory_iterator(kPlayers)) state.first[entry.path()] = entry.last_write_time();
    HKEY key = nullptr;
    ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTestGameSubKey, 0, KEY_READ | KEY_WOW64_64KEY, &key);
    wchar_t name[256], data[4096];
    for (DWORD i = 0, length = 256, type = 0, size = sizeof(data);
         ::RegEnumValueW(key, i, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == 0;
         ++i, length = 256, size = sizeof(data)) {
        state.second += std::wstring(name) + L'=' + std::to_wstring(type) + L':' + std::wstring(data, size / 2) + L'\n';
    }
    ::RegCloseKey(key);
    return state;
}

// Zeros and Lines: the bytes, then a sparse hole or empty lines up to the size.
enum class File { Written, None, Folder, Locked, Zeros, Lines };

struct Row {
    const char* name;
    Key key = GameKey(REG_SZ, kFolder, REG_SZ, kGame);
    std::string bytes = kRealistic;
    File file = File::Written;
    std::uintmax_t size = 0;
    std::wstring box = {};  // shown while loading; empty: none
    Values values = Initial();
    std::optional<std::wstring> launched = {};  // Launch's box; empty: none, the game being a stand-in
};

void Arrange(const Row& row) {
    WriteKey(row.key);
    fs::remove_all(kFolder);
    fs::remove(kDecoy);
    fs::remove(kDecoy + L".ran");
    fs::create_directories(kPlayers);
    std::ofstream(kPlayers / L"config_mp.cfg") << "seta name \"player\"\n";
    if (row.file == File::Folder) fs::create_directory(kPlayers / L"config.cfg");
    if (row.file == File::None || row.file == File::Folder) return;
    std::ofstream config(kPlayers / L"config.cfg", std::ios::binary);
    config << row.bytes;
    for (auto size = row.bytes.size(); row.file == File::Lines && size < row.size; size += 1 << 20) {
        config << std::string(1 << 20, '\n');
    }
    config.close();
    if (row.file == File::Zeros) fs::resize_file(kPlayers / L"config.cfg", row.size);
    // An old time, so that a rewrite shows even within the same second.
    fs::last_write_time(kPlayers / L"config.cfg", fs::file_time_type::clock::now() - std::chrono::hours(48));
    if (row.launched == L"") {
        fs::copy_file(HostPathToWindows(QUORVANE_MARKER_PROGRAM), kGame);
        fs::copy_file(HostPathToWindows(QUORVANE_MARKER_PROGRAM), kDecoy);
    }
}

TEST(EndToEnd, EachSetUpShowsItsBoxAndValuesAndWritesNothing) {
    const std::wstring expandSz = L"%ProgramFiles%" + kFolder.substr(std::wstring_view(L"C:\\Program Files").size());
    const Row rows[] = {
        {.name = "no game key", .key = {}, .box = kGameNotFound},
        {.name = "no InstallPath", .key = Install(REG_NONE, L""), .box = kGameNotFound},
        {.name = "InstallPath of 300 characters", .key = Install(REG_SZ, std::wstring(300, L'x')), .box = kGameNotFound},
        {.name = "InstallPath REG_MULTI_SZ", .key = Install(REG_MULTI_SZ, kFolder + L'\0' + L"D:\\" + L'\0'),
         .values = Realistic()},
        {.name = "InstallPath REG_EXPAND_SZ", .key = Install(REG_EXPAND_SZ, expandSz), .box = CannotOpen(expandSz)},
        {.name = "InstallPath empty", .key = Install(REG_SZ, L""), .box = CannotOpen(L"")},
        {.name = "no config.cfg", .file = File::None, .box = CannotOpen()},
        {.name = "config.cfg a folder", .file = File::Folder, .box = CannotOpen()},
        {.name = "config.cfg locked by another process", .file = File::Locked, .box = CannotOpen()},
        {.name = "CR LF line ends", .bytes = LineEnds("\r\n")},
        {.name = "CR line ends", .bytes = LineEnds("\r")},
        {.name = "binary garbage", .bytes = Garbage()},
        {.name = "bytes 0x80 to 0xFF", .bytes = "//\nseta rate \"\x80\x9F\xA0\xD7\xE9\xFF\"", .values = Initial("\x80\x9F\xA0\xD7\xE9\xFF")},
        {.name = "a 1 MiB line 1, and 50 MB of lines after line 548", .bytes = "//\nbind X \"" + std::string(1 << 20, 'y') + "\"\n" + kRealistic,
         .file = File::Lines, .size = 50'000'000, .values = Realistic()},
        {.name = "Launch, the game missing", .values = Realistic(), .launched = L"Cannot start:\n\n" + kGame},
        {.name = "Launch, no values", .key = Exes(REG_NONE, L""), .values = Realistic(), .launched = L"Cannot start:\n\nError"},
        {.name = "Launch, empty values", .key = Exes(REG_SZ, L""), .values = Realistic(), .launched = L"Cannot start:\n\n"},
        {.name = "Launch, a decoy C:\\Program.exe", .values = Realistic(), .launched = L""},
        {.name = "50 MB line 0, sparse", .bytes = "", .file = File::Zeros, .size = 50'000'000, .box = CannotOpen()},
        {.name = "4 GiB, sparse", .bytes = "", .file = File::Zeros, .size = std::uintmax_t{4} << 30, .box = CannotOpen()},
        {.name = "link to /dev/zero", .key = Install(REG_SZ, kZero), .box = CannotOpen(kZero)},
        {.name = "link to /dev/urandom", .key = Install(REG_SZ, kRandom), .box = CannotOpen(kRandom)},
        {.name = "400 MB of lines after the realistic ones", .file = File::Lines, .size = 400'000'000, .box = CannotOpen()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Arrange(row);
        const auto written = WrittenState();
        const HANDLE lock = row.file != File::Locked ? INVALID_HANDLE_VALUE
                                                     : ::CreateFileW((kPlayers / L"config.cfg").c_str(), GENERIC_READ, 0,
                                                                     nullptr, OPEN_EXISTING, 0, nullptr);
        const ULONGLONG start = ::GetTickCount64();
        Program program;
        EXPECT_EQ(program.BoxesUntilWindow(kBoundMs), row.box.empty() ? Values{} : Values{row.box});
        std::printf("%-50s window after %5llu ms\n", row.name, ::GetTickCount64() - start);
        ::CloseHandle(lock);
        if (row.launched) {
            program.Choose(CommandId::About);
            EXPECT_NE(program.Box(kBoundMs).value_or(L"").find(QUORVANE_APP_VERSION), std::wstring::npos);
        }
        for (CommandId command : {CommandId::Launch, CommandId::LaunchMP}) {
            if (!row.launched) break;
            program.Choose(command);
            EXPECT_EQ(program.Box(row.launched->empty() ? 1000 : kBoundMs),
                      row.launched->empty() ? std::nullopt : row.launched);
        }
        if (row.launched == L"") {  // each start of the stand-in notes its command line, then a tab
            const std::string ran = FileBytes(kGame + L".ran");
            EXPECT_TRUE(ran.starts_with("\"C:\\Program Files\\") && ran.find("\\BlackOps.exe\"\t") < 300) << ran;
            EXPECT_FALSE(fs::exists(kDecoy + L".ran")) << "the decoy ran";
        }
        EXPECT_EQ(program.Read(), row.values);
        program.Choose(CommandId::Save);
        program.Choose(CommandId::Exit);
        EXPECT_EQ(program.WaitForExit(kBoundMs), std::optional<DWORD>(0));
        EXPECT_EQ(WrittenState(), written);
    }
    WriteKey({});
    fs::remove_all(kFolder);
}

}  // namespace
}  // namespace quorvane::e2e
