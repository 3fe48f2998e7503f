// The load sequence beside a plain read of the same config.cfg into memory.
//
//   quorvane_bench DIR [benchmark flags]
//
// First writes into DIR whichever of its files are missing: tests/data/config.cfg as
// it is ("realistic"), the same with CR LF line ends, and that file repeated to 1, 10
// and 100 MiB with either line end. Benchmarks are named PlainRead/<file> and
// LoadSequence/<file>; each reports the file's size and the process's peak resident
// memory so far: run a case alone (--benchmark_filter) to see what it needs.

#include "config/LoadSequence.h"
#include "tests/support/FakeRegistry.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace {

using namespace quorvane;

struct File {
    std::string name;
    bool crlf;
    std::uint64_t mib;  // 0: the test data once
};
const File kFiles[] = {
    {"realistic", false, 0}, {"realistic_crlf", true, 0}, {"crlf_1mb", true, 1}, {"crlf_10mb", true, 10},
    {"crlf_100mb", true, 100}, {"lf_1mb", false, 1},      {"lf_10mb", false, 10}, {"lf_100mb", false, 100},
};

std::string g_dataDir;
double g_startRssKiB = 0;

double PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss);  // KiB on Linux
}

// The game's folder as the registry gives it, and the file the load opens in it:
// outside Windows a backslash is an ordinary character, so this is one file in DIR.
std::string Folder(const File& file) { return g_dataDir + "/" + file.name; }
std::string PathOf(const File& file) { return Folder(file) + "\\players\\config.cfg"; }

// The test data (LF-ended), with CR LF if asked, repeated to at least the size asked.
bool Generate(const File& file) {
    std::ifstream in(QUORVANE_TEST_CONFIG, std::ios::binary);
    std::string copy;
    for (char c; in.get(c);) copy += file.crlf && c == '\n' ? "\r\n" : std::string(1, c);
    const std::uint64_t copies = std::max<std::uint64_t>(1, ((file.mib << 20) + copy.size() - 1) / copy.size());
    std::error_code error;
    if (std::filesystem::file_size(PathOf(file), error) == copies * copy.size()) return true;
    std::ofstream out(PathOf(file), std::ios::binary);
    for (std::uint64_t i = 0; i < copies; ++i) out << copy;
    return !copy.empty() && out.flush();
}

void Report(benchmark::State& state, const File& file) {
    state.counters["file_KiB"] = static_cast<double>(std::filesystem::file_size(PathOf(file))) / 1024;
    state.counters["start_rss_KiB"] = g_startRssKiB;
    state.counters["peak_rss_KiB"] = PeakRssKiB();
}

// The whole file into one buffer of its size, and nothing else.
std::size_t ReadWhole(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    struct stat info {};
    if (!in || fstat(fileno(in.get()), &info) != 0) return 0;
    const auto size = static_cast<std::size_t>(info.st_size);
    const auto buffer = std::make_unique_for_overwrite<char[]>(size);
    const std::size_t read = std::fread(buffer.get(), 1, size, in.get());
    benchmark::DoNotOptimize(buffer.get());
    benchmark::ClobberMemory();
    return read;
}

void PlainRead(benchmark::State& state, const File& file) {
    const std::size_t size = ReadWhole(PathOf(file));  // and now it is in the page cache
    for (auto _ : state) {
        if (ReadWhole(PathOf(file)) != size) state.SkipWithError("the plain read did not give the whole file");
    }
    Report(state, file);
}

// The headless load sequence of one file: a scripted registry that names the file's
// folder as the game's, then config.cfg, then the scan.
struct Loader {
    explicit Loader(const File& file) {
        const std::string key = "SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";
        registry.SetString(0x80000002, key, "InstallPath", Folder(file));
        registry.SetString(0x80000002, key, "SPExePath", Folder(file) + "\\BlackOps.exe");
        registry.SetString(0x80000002, key, "MPExePath", Folder(file) + "\\BlackOpsMP.exe");
    }
    LoadedForm Run() {
        registry.opens.clear();  // the fake records the keys opened
        return RunLoadSequence(general, messages);
    }
    testing::FakeRegistry registry;
    testing::RecordingMessages messages;
    General general{registry, messages};
};

void LoadSequence(benchmark::State& state, const File& file) {
    // Checked once, untimed: however often the test data repeats, the window shows
    // what it shows once with the same line ends.
    Loader loader(file);
    Loader reference(file.crlf ? kFiles[1] : kFiles[0]);
    if (loader.Run().view != reference.Run().view || !reference.messages.shown.empty()) {
        state.SkipWithError("the load does not show what the test data shows");
    }
    for (auto _ : state) benchmark::DoNotOptimize(loader.Run());
    if (!loader.messages.shown.empty()) state.SkipWithError("the load showed a message");
    Report(state, file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        std::cerr << "usage: " << argv[0] << " DIR [benchmark flags]\n";
        return 2;
    }
    g_dataDir = std::filesystem::absolute(argv[1]).lexically_normal().string();
    std::filesystem::create_directories(g_dataDir);
    for (const File& file : kFiles) {
        if (!Generate(file)) {
            std::cerr << "cannot write " << PathOf(file) << '\n';
            return 1;
        }
        const auto unit = file.mib == 0 ? benchmark::kMicrosecond : benchmark::kMillisecond;
        benchmark::RegisterBenchmark(("PlainRead/" + file.name).c_str(), PlainRead, file)->Unit(unit);
        benchmark::RegisterBenchmark(("LoadSequence/" + file.name).c_str(), LoadSequence, file)->Unit(unit);
    }
    g_startRssKiB = PeakRssKiB();
    argv[1] = argv[0];  // Google Benchmark reads the rest
    --argc;
    benchmark::Initialize(&argc, argv + 1);
    if (benchmark::ReportUnrecognizedArguments(argc, argv + 1)) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
