#include "bench/ConfigCorpus.h"

#include "config/InstallPaths.h"
#include "config/Recognisers.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

namespace quorvane::bench {
namespace {

// The twenty settings, as the game writes them. Every value differs from the window's
// initial state, so a setting that is not recognised shows in the check.
constexpr std::array<std::pair<std::string_view, std::string_view>, 20> kShownSettings{{
    {"cg_brass", "1"},
    {"cg_drawCrosshair", "1"},
    {"cg_drawFPS", "Simple"},
    {"cg_subtitles", "1"},
    {"com_maxfps", "125"},
    {"r_aaSamples", "4"},
    {"r_aspectRatio", "auto"},
    {"r_displayRefresh", "60 Hz"},
    {"r_fullscreen", "1"},
    {"r_gamma", "0.8"},
    {"r_mode", "1920x1080"},
    {"r_motionblur_enable", "1"},
    {"r_shaderWarming", "1"},
    {"r_specular", "1"},
    {"r_texFilterAnisoMin", "8"},
    {"r_vsync", "1"},
    {"ragdoll_enable", "1"},
    {"ragdoll_max_simulating", "16"},
    {"rate", "25000"},
    {"sensitivity", "5"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 60> kBinds{{
    {"TAB", "+scores"},        {"ESCAPE", "togglemenu"},   {"SPACE", "+gostand"},
    {"1", "weapnext"},         {"2", "+actionslot 2"},     {"3", "+actionslot 3"},
    {"4", "+actionslot 4"},    {"5", "+actionslot 1"},     {"A", "+moveleft"},
    {"B", "+talk"},            {"C", "+stance"},           {"D", "+moveright"},
    {"E", "+melee"},           {"F", "+activate"},         {"G", "+frag"},
    {"H", "+actionslot 1"},    {"I", "chatmodeteam"},      {"Q", "+smoke"},
    {"R", "+reload"},          {"S", "+back"},             {"T", "chatmodepublic"},
    {"V", "+melee"},           {"W", "+forward"},          {"X", "+actionslot 3"},
    {"Y", "chatmodeteam"},     {"Z", "+talk"},             {"CTRL", "+movedown"},
    {"SHIFT", "+breath_sprint"}, {"ALT", "+strafe"},       {"F1", "vote yes"},
    {"F2", "vote no"},         {"F3", "+scores"},          {"F4", "+actionslot 4"},
    {"F5", "screenshotJpeg"},  {"F10", "screenshot"},      {"F12", "screenshotJpeg"},
    {"PGUP", "+lookup"},       {"PGDN", "+lookdown"},      {"HOME", "centerview"},
    {"END", "centerview"},     {"INS", "+klook"},          {"DEL", "+lookdown"},
    {"UPARROW", "+forward"},   {"DOWNARROW", "+back"},     {"LEFTARROW", "+left"},
    {"RIGHTARROW", "+right"},  {"KP_HOME", "+lookup"},     {"KP_END", "+lookdown"},
    {"KP_ENTER", "+activate"}, {"KP_INS", "+stance"},      {"MOUSE1", "+attack"},
    {"MOUSE2", "+speed_throw"}, {"MOUSE3", "+melee"},      {"MOUSE4", "+actionslot 2"},
    {"MOUSE5", "+actionslot 3"}, {"MWHEELUP", "weapnext"}, {"MWHEELDOWN", "weapprev"},
    {"BACKSPACE", "+scores"},  {"ENTER", "chatmodepublic"}, {"~", "toggleconsole"},
}};

// Settings the game writes after "sensitivity", so after the last line scanned.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kLateSettings{{
    {"snd_enableEq", "1"},
    {"snd_enableReverb", "1"},
    {"snd_volume", "0.8"},
    {"ui_bigFont", "0.4"},
    {"ui_smallFont", "0.25"},
    {"version", "22"},
    {"vid_xpos", "3"},
    {"vid_ypos", "22"},
}};

// Prefixes and stems the other settings' names are made of, all sorting before
// "sensitivity".
constexpr std::array<std::string_view, 16> kPrefixes{
    "aim_", "bg_", "cg_", "cl_", "com_", "con_", "dw_", "fx_",
    "g_", "hud_", "input_", "m_", "net_", "party_", "r_", "s_",
};
constexpr std::array<std::string_view, 40> kStems{
    "Ammo",   "Blur",    "Bob",    "Bright", "Color",  "Contrast", "Cursor", "Damage",
    "Detail", "Dist",    "Draw",   "Fade",   "Fov",    "Font",     "Frame",  "Gun",
    "Hint",   "Hud",     "Icon",   "Lag",    "Light",  "Limit",    "Lod",    "Map",
    "Max",    "Min",     "Mouse",  "Name",   "Offset", "Packet",   "Quality", "Rate",
    "Scale",  "Shadow",  "Size",   "Speed",  "Sun",    "Text",     "Time",   "Zoom",
};
constexpr std::array<std::string_view, 12> kValues{
    "0", "1", "2", "0.5", "1.5", "100", "250", "4000", "1 1 1 1", "0.8 0.8 0.8 1", "default", "",
};

// Lines 0 and 1, then the binds; the settings follow from here.
constexpr std::size_t kFirstSettingLine = 2 + kBinds.size();
// Where "sensitivity", the last shown setting, lands: near the end of the scanned lines.
constexpr std::size_t kSensitivityLine = 541;
constexpr std::size_t kOtherSettings = kSensitivityLine + 1 - kFirstSettingLine - kShownSettings.size();

std::string Lowered(std::string_view stem) {
    std::string text(stem);
    text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

std::vector<std::string> MakeLines() {
    std::map<std::string, std::string> settings;
    for (const auto& [name, value] : kShownSettings) settings.emplace(name, value);

    // The same other settings every time: a fixed linear congruential sequence.
    std::uint32_t seed = 20101109u;
    const auto next = [&seed](std::size_t bound) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::size_t>(seed >> 8) % bound;
    };
    std::size_t added = 0;
    while (added < kOtherSettings) {
        std::string name(kPrefixes[next(kPrefixes.size())]);
        name += Lowered(kStems[next(kStems.size())]);
        name += kStems[next(kStems.size())];
        name += kStems[next(kStems.size())];
        if (settings.emplace(name, kValues[next(kValues.size())]).second) ++added;
    }

    std::vector<std::string> lines;
    lines.emplace_back("// generated by Call of Duty, do not modify");
    lines.emplace_back("unbindall");
    for (const auto& [key, command] : kBinds) lines.push_back("bind " + std::string(key) + " \"" + std::string(command) + "\"");
    for (const auto& [name, value] : settings) lines.push_back("seta " + name + " \"" + value + "\"");
    for (const auto& [name, value] : kLateSettings) lines.push_back("seta " + std::string(name) + " \"" + std::string(value) + "\"");

    if (lines[kSensitivityLine] != "seta sensitivity \"5\"" || kSensitivityLine > kLastScannedLine) {
        throw std::logic_error("the realistic config.cfg does not have its shown settings where expected");
    }
    return lines;
}

}  // namespace

const std::vector<std::string>& RealisticLines() {
    static const std::vector<std::string> lines = MakeLines();
    return lines;
}

std::string CheckRealisticView(const SettingsView& view) {
    SettingsView expected;
    expected.Title = L"Quorvane " + std::wstring(kAppVersion) + L" by Pellowan (Debug Mode, Read Only)";
    expected.Check1 = expected.Check2 = expected.Check3 = expected.Check4 = 1;
    expected.Check5 = expected.Check6 = expected.Check7 = expected.Check8 = 1;
    expected.Check9 = expected.Check10 = expected.Check11 = expected.Check12 = 1;
    expected.Text1 = L"125";
    expected.Text2 = L"4";
    expected.Text3 = L"1920x1080";
    expected.Text4 = L"auto";
    expected.Text5 = L"0.8";
    expected.Text6 = L"60 Hz";
    expected.Text7 = L"16";
    expected.Text8 = L"8";
    expected.Text9 = L"5";
    expected.Text10 = L"25000";
    if (view == expected) return {};

    const std::array<std::pair<const char*, bool>, 23> fields{{
        {"Title", view.Title == expected.Title},
        {"Check1", view.Check1 == expected.Check1},     {"Check2", view.Check2 == expected.Check2},
        {"Check3", view.Check3 == expected.Check3},     {"Check4", view.Check4 == expected.Check4},
        {"Check5", view.Check5 == expected.Check5},     {"Check6", view.Check6 == expected.Check6},
        {"Check7", view.Check7 == expected.Check7},     {"Check8", view.Check8 == expected.Check8},
        {"Check9", view.Check9 == expected.Check9},     {"Check10", view.Check10 == expected.Check10},
        {"Check11", view.Check11 == expected.Check11},  {"Check12", view.Check12 == expected.Check12},
        {"Text1", view.Text1 == expected.Text1},        {"Text2", view.Text2 == expected.Text2},
        {"Text3", view.Text3 == expected.Text3},        {"Text4", view.Text4 == expected.Text4},
        {"Text5", view.Text5 == expected.Text5},        {"Text6", view.Text6 == expected.Text6},
        {"Text7", view.Text7 == expected.Text7},        {"Text8", view.Text8 == expected.Text8},
        {"Text9", view.Text9 == expected.Text9},        {"Text10", view.Text10 == expected.Text10},
    }};
    for (const auto& [name, same] : fields) {
        if (!same) return std::string(name) + " is not what the realistic config.cfg sets";
    }
    return "the view differs";
}

std::string JoinLines(std::string_view lineEnd) {
    std::string text;
    for (const std::string& line : RealisticLines()) {
        text += line;
        text += lineEnd;
    }
    return text;
}

const std::vector<CorpusFile>& CorpusFiles() {
    constexpr std::uint64_t kMiB = 1024 * 1024;
    static const std::vector<CorpusFile> files{
        {"realistic", LineEnd::Lf, 0},
        {"crlf_1mb", LineEnd::CrLf, 1 * kMiB},
        {"crlf_10mb", LineEnd::CrLf, 10 * kMiB},
        {"crlf_100mb", LineEnd::CrLf, 100 * kMiB},
        {"lf_1mb", LineEnd::Lf, 1 * kMiB},
        {"lf_10mb", LineEnd::Lf, 10 * kMiB},
        {"lf_100mb", LineEnd::Lf, 100 * kMiB},
    };
    return files;
}

std::string InstallFolder(const std::string& dataDir, const CorpusFile& file) { return dataDir + "/" + file.name; }

std::string ConfigFileName(const std::string& dataDir, const CorpusFile& file) {
    return InstallFolder(dataDir, file) + "\\players\\config.cfg";
}

namespace {

std::string OneCopy(const CorpusFile& file) { return JoinLines(file.lineEnd == LineEnd::CrLf ? "\r\n" : "\n"); }

std::uint64_t Copies(const CorpusFile& file, std::uint64_t copyBytes) {
    return std::max<std::uint64_t>(1, (file.targetBytes + copyBytes - 1) / copyBytes);
}

}  // namespace

std::uint64_t FileBytes(const CorpusFile& file) {
    const std::uint64_t copyBytes = OneCopy(file).size();
    return Copies(file, copyBytes) * copyBytes;
}

std::uint64_t FileLines(const CorpusFile& file) {
    return Copies(file, OneCopy(file).size()) * RealisticLines().size();
}

std::uint64_t LongestRecordBytes(const CorpusFile& file) {
    // A lone LF ends no record, so an LF-ended file is one record.
    if (file.lineEnd == LineEnd::Lf) return FileBytes(file);
    std::size_t longest = 0;
    for (const std::string& line : RealisticLines()) longest = std::max(longest, line.size());
    return longest + 1;
}

std::uint64_t LoadedLineCount(const CorpusFile& file) {
    if (file.lineEnd == LineEnd::CrLf) return 1;
    // Every line ends with LF, so the text after the last one is an empty line.
    return FileLines(file) + 1;
}

bool WriteCorpusFile(const std::string& dataDir, const CorpusFile& file) {
    const std::string copy = OneCopy(file);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(ConfigFileName(dataDir, file).c_str(), "wb"),
                                                              &std::fclose);
    if (!out) return false;
    for (std::uint64_t i = Copies(file, copy.size()); i > 0; --i) {
        if (std::fwrite(copy.data(), 1, copy.size(), out.get()) != copy.size()) return false;
    }
    return std::fflush(out.get()) == 0;
}

}  // namespace quorvane::bench
