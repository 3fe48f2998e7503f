// The load sequence beside a plain read of the same config.cfg into memory.
//
//   quorvane_bench --data=DIR --generate        writes the corpus files into DIR
//   quorvane_bench --data=DIR [benchmark flags]  runs the benchmarks on them
//
// Benchmarks are named PlainRead/<file> and LoadSequence/<file>. Each reports the
// file's size, its longest record and the process's peak resident memory so far: to
// see what one case needs, run it alone in its own process (--benchmark_filter).

#include "bench/ConfigCorpus.h"
#include "config/LoadSequence.h"
#include "tests/support/FakeRegistry.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorvane;

constexpr RegHandle kLocalMachine = 0x80000002;
constexpr const char* kGameSubKey = "SOFTWARE\\Wow6432Node\\Activision\\Call of Duty Black Ops";

std::string g_dataDir;
double g_startRssKiB = 0;

double PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss);  // KiB on Linux
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File Open(const std::string& path) { return File(std::fopen(path.c_str(), "rb"), &std::fclose); }

// Reads the file once through a small buffer: its pages come into the page cache and
// the process does not keep them.
bool WarmPageCache(const std::string& path) {
    const File file = Open(path);
    if (!file) return false;
    std::array<char, 64 * 1024> chunk;
    while (std::fread(chunk.data(), 1, chunk.size(), file.get()) != 0) {
    }
    return std::ferror(file.get()) == 0;
}

void ReportFile(benchmark::State& state, const bench::CorpusFile& file) {
    const auto bytes = static_cast<std::int64_t>(bench::FileBytes(file));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
    state.counters["file_KiB"] = static_cast<double>(bytes) / 1024.0;
    state.counters["file_lines"] = static_cast<double>(bench::FileLines(file));
    state.counters["record_KiB"] = static_cast<double>(bench::LongestRecordBytes(file)) / 1024.0;
    state.counters["start_rss_KiB"] = g_startRssKiB;
    state.counters["peak_rss_KiB"] = PeakRssKiB();
}

// The whole file into one buffer of its size, and nothing else.
void PlainRead(benchmark::State& state, const bench::CorpusFile& file) {
    const std::string path = bench::ConfigFileName(g_dataDir, file);
    const std::uint64_t expected = bench::FileBytes(file);
    if (!WarmPageCache(path)) {
        state.SkipWithError("cannot read the corpus file; run with --generate first");
        return;
    }
    for (auto _ : state) {
        const File in = Open(path);
        struct stat info {};
        if (!in || fstat(fileno(in.get()), &info) != 0) {
            state.SkipWithError("cannot open the corpus file");
            break;
        }
        const auto size = static_cast<std::size_t>(info.st_size);
        const auto buffer = std::make_unique_for_overwrite<char[]>(size);
        const std::size_t read = std::fread(buffer.get(), 1, size, in.get());
        benchmark::DoNotOptimize(buffer.get());
        benchmark::ClobberMemory();
        if (read != expected) {
            state.SkipWithError("the plain read did not give the whole file");
            break;
        }
    }
    ReportFile(state, file);
}

// What one load must give for the file, or why it does not.
std::string CheckLoad(const bench::CorpusFile& file, const LoadedForm& form,
                      const testing::RecordingMessages& messages) {
    if (!messages.shown.empty()) return "the load showed a message box";
    if (form.lines.size() != bench::LoadedLineCount(file)) return "the load gave an unexpected number of lines";
    if (file.lineEnd == bench::LineEnd::Lf) return bench::CheckRealisticView(form.view);

    // Only the last record is kept: the file's last line, which is never scanned.
    const std::string& last = bench::RealisticLines().back();
    if (form.lines[0] != std::wstring(last.begin(), last.end())) return "the last record is not the file's last line";
    SettingsView untouched;
    untouched.Title = form.view.Title;
    untouched.Check10 = untouched.Check11 = 1;
    if (form.view != untouched) return "a setting changed although no line was scanned";
    return {};
}

// The whole headless load sequence: three registry reads, paths, the file, the scan.
void LoadSequence(benchmark::State& state, const bench::CorpusFile& file) {
    testing::FakeRegistry registry;
    const std::string folder = bench::InstallFolder(g_dataDir, file);
    registry.SetString(kLocalMachine, kGameSubKey, "InstallPath", folder);
    registry.SetString(kLocalMachine, kGameSubKey, "SPExePath", folder + "\\BlackOps.exe");
    registry.SetString(kLocalMachine, kGameSubKey, "MPExePath", folder + "\\BlackOpsMP.exe");
    testing::RecordingMessages messages;
    General general(registry, messages);

    if (!WarmPageCache(bench::ConfigFileName(g_dataDir, file))) {
        state.SkipWithError("cannot read the corpus file; run with --generate first");
        return;
    }
    {
        // One load outside the timing, checked in full.
        const LoadedForm form = RunLoadSequence(general, messages);
        const std::string problem = CheckLoad(file, form, messages);
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            return;
        }
    }
    const std::uint64_t lineCount = bench::LoadedLineCount(file);
    for (auto _ : state) {
        // The fake registry records every call; keep its records from piling up.
        registry.opens.clear();
        registry.queriedNames.clear();
        registry.querySizes.clear();
        registry.closes.clear();
        const LoadedForm form = RunLoadSequence(general, messages);
        benchmark::DoNotOptimize(form);
        if (form.lines.size() != lineCount || !messages.shown.empty()) {
            state.SkipWithError("a timed load gave something else than the checked one");
            break;
        }
    }
    ReportFile(state, file);
}

int Generate() {
    std::filesystem::create_directories(g_dataDir);
    for (const bench::CorpusFile& file : bench::CorpusFiles()) {
        const std::string path = bench::ConfigFileName(g_dataDir, file);
        std::error_code error;
        const bool current = std::filesystem::file_size(path, error) == bench::FileBytes(file) && !error;
        if (!current && !bench::WriteCorpusFile(g_dataDir, file)) {
            std::cerr << "cannot write " << path << '\n';
            return 1;
        }
        std::cout << file.name << ": " << bench::FileBytes(file) << " bytes, "
                  << bench::LoadedLineCount(file) << " lines after loading, longest record "
                  << bench::LongestRecordBytes(file) << " bytes" << (current ? " (kept)" : "") << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Takes out this program's own flags; Google Benchmark reads the rest.
    bool generate = false;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--data=")) {
            g_dataDir = std::filesystem::absolute(std::string(arg.substr(7))).lexically_normal().string();
        } else if (arg == "--generate") {
            generate = true;
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (g_dataDir.empty()) {
        std::cerr << "usage: " << argv[0] << " --data=DIR [--generate | benchmark flags]\n";
        return 2;
    }
    if (generate) return Generate();

    g_startRssKiB = PeakRssKiB();
    for (const bench::CorpusFile& file : bench::CorpusFiles()) {
        const benchmark::TimeUnit unit = file.targetBytes == 0 ? benchmark::kMicrosecond : benchmark::kMillisecond;
        benchmark::RegisterBenchmark(("PlainRead/" + file.name).c_str(), PlainRead, file)->Unit(unit);
        benchmark::RegisterBenchmark(("LoadSequence/" + file.name).c_str(), LoadSequence, file)->Unit(unit);
    }

    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
