#!/usr/bin/env bash
# Builds Quorvane in release mode, runs its benchmarks and prints the results as
# markdown tables, each target marked met or missed:
#   1. the headless load sequence on a realistic config.cfg, beside a plain read of it;
#   2. scaling: 1, 10 and 100 MiB files, CR LF-ended and LF-ended: time per MiB, peak memory;
#   3. start-up under Wine: from starting quorvane.exe to its window being mapped on an
#      Xvfb display, beside Wine's own Notepad opening the same config.cfg.
# Everything stays in build/: the native build in build/native-release, quorvane.exe's
# in build/bench-win32 (the win32 preset's release build, in a folder of its own), the
# generated files in build/bench-data (about 230 MB), the Wine prefix of the start-up
# benchmark in build/bench-wine, the raw results (Google Benchmark JSON, startup.json)
# in build/bench-results.
#
#   scripts/bench.sh           the full run (a few minutes)
#   scripts/bench.sh --quick   fewer repetitions, to try the script out
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/native-release
win32_build=build/bench-win32
data=build/bench-data
results=build/bench-results
bench=$build/bench/quorvane_bench
timer=$build/bench/quorvane_startup_timer

load_repetitions=15
scaling_repetitions=3
startup_runs=10
if [ "${1:-}" = "--quick" ]; then
  load_repetitions=3
  scaling_repetitions=1
  startup_runs=3
fi

say() { echo "== $*" >&2; }

bash scripts/setup.sh

say "build ($build)"
cmake --preset native-release >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target quorvane_bench quorvane_startup_timer >/dev/null
say "build ($win32_build)"
cmake --preset win32 -B "$win32_build" >/dev/null
cmake --build "$win32_build" -j "$(nproc 2>/dev/null || echo 2)" --target quorvane >/dev/null

rm -rf "$results"
mkdir -p "$results"
{
  sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | sort | uniq -c | sed 's/^ *\([0-9]*\) /\1 × /'
  echo "$(free -g | awk '/^Mem:/ {print $2}') GiB memory, Linux $(uname -r), $(g++ --version | head -n 1)"
} >"$results/machine.txt"
"$bench" --data="$data" --generate >&2

# One benchmark program run; its console output goes to a log beside the JSON.
run_benchmarks() {
  local name=$1
  shift
  "$bench" --data="$data" --benchmark_out="$results/$name.json" --benchmark_out_format=json \
    "$@" >"$results/$name.log" 2>&1 || { cat "$results/$name.log" >&2; return 1; }
}

# --- 1. Load sequence: both benchmarks in the same run, their repetitions interleaved
# in random order so that whatever else the machine does falls on both alike.
say "1. load sequence and plain read of the realistic config.cfg"
run_benchmarks load --benchmark_filter='^(PlainRead|LoadSequence)/realistic$' \
  --benchmark_repetitions="$load_repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_enable_random_interleaving=true

# --- 2. Scaling: each case in a process of its own, so that the peak memory it
# reports is its own and not that of a case before it.
say "2. scaling"
for file in crlf_1mb crlf_10mb crlf_100mb lf_1mb lf_10mb lf_100mb; do
  for kind in PlainRead LoadSequence; do
    say "   $kind/$file"
    run_benchmarks "scaling-$kind-$file" --benchmark_filter="^$kind/$file\$" \
      --benchmark_repetitions="$scaling_repetitions" --benchmark_report_aggregates_only=true
  done
done

# --- 3. Start-up under Wine: quorvane.exe and Wine's Notepad on one Xvfb display,
# taking turns, with the Wine server kept warm between runs (see scripts/bench-startup.sh).
say "3. start-up under Wine, $startup_runs runs each"
bash scripts/bench-startup.sh "$results" "$timer" "$win32_build/quorvane.exe" "$startup_runs"

say "results"
python3 scripts/bench-report.py "$results"
