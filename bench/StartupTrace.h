#pragma once
// Start-up phases, timed from inside the program for the start-up benchmark
// (scripts/bench.sh). Only a build that defines QUORVANE_STARTUP_TRACE has them; in
// any other build the markers are empty.
//
//   QUORVANE_STARTUP_PHASE("controls");  // the phase of that name ends here
//   QUORVANE_STARTUP_DONE();             // writes the phases out
//
// The first phase runs from the process's creation (GetProcessTimes), each other from
// the end of the one before (QueryPerformanceCounter). DONE appends one line to the
// file named by %QUORVANE_TRACE_FILE%: name=milliseconds, separated by
// semicolons.

#ifdef QUORVANE_STARTUP_TRACE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace quorvane::startup_trace {

inline std::pair<const char*, double> g_phases[16];
inline int g_count = 0;
inline LARGE_INTEGER g_last{};

inline void Mark(const char* name) {
    LARGE_INTEGER now{}, frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    double ms = static_cast<double>(now.QuadPart - g_last.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
    if (g_count == 0) {
        FILETIME created{}, ended{}, kernel{}, user{}, current{};
        ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
        ::GetSystemTimeAsFileTime(&current);
        const auto ticks = [](FILETIME time) { return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
        ms = static_cast<double>(ticks(current) - ticks(created)) / 1e4;  // 100 ns ticks
    }
    g_last = now;
    if (g_count < 16) g_phases[g_count++] = {name, ms};
}

inline void Write() {
    const wchar_t* path = ::_wgetenv(L"QUORVANE_TRACE_FILE");
    std::FILE* file = path ? ::_wfopen(path, L"a") : nullptr;
    if (!file) return;
    for (int i = 0; i < g_count; ++i) std::fprintf(file, "%s%s=%.2f", i ? ";" : "", g_phases[i].first, g_phases[i].second);
    std::fputs("\n", file);
    std::fclose(file);
}

}  // namespace quorvane::startup_trace

#define QUORVANE_STARTUP_PHASE(name) ::quorvane::startup_trace::Mark(name)
#define QUORVANE_STARTUP_DONE() ::quorvane::startup_trace::Write()
#else
#define QUORVANE_STARTUP_PHASE(name) static_cast<void>(0)
#define QUORVANE_STARTUP_DONE() static_cast<void>(0)
#endif
