#!/usr/bin/env bash
# Builds and runs Quorvane's benchmarks; scripts/bench-report.py prints the results.
#   1. the headless load of tests/data/config.cfg beside a plain read of it;
#   2. scaling: that file repeated to 1, 10 and 100 MiB, CR LF- or LF-ended, each case
#      in a process of its own, for its peak memory;
#   3. start-up under Wine, from starting a program to its window being mapped on an
#      Xvfb display: quorvane.exe, built with its start-up phases timed
#      (ui/StartupTrace.h), the two floors of bench/Floor.cpp, and Wine's 32-bit
#      Notepad opening the same config.cfg. One unmeasured run each first, then the
#      programs take turns in a rotating order, the Wine server kept warm throughout.
# Everything stays in build/: native-release and bench-win32 (the builds), bench-data
# (about 230 MB), bench-wine (the Wine prefix), bench-results (raw results).
#
#   scripts/bench.sh [--quick]    --quick: fewer repetitions, to try it out
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build/native-release win32=build/bench-win32 results=build/bench-results
repetitions=15 scaling_repetitions=3 runs=10
if [ "${1:-}" = --quick ]; then repetitions=3 scaling_repetitions=1 runs=3; fi
say() { echo "== $*" >&2; }

bash scripts/setup.sh
say "build"
cmake --preset native-release >/dev/null
cmake --build $build -j 2 --target quorvane_bench quorvane_startup_timer >/dev/null
cmake --preset win32 -B $win32 --fresh -DQUORVANE_TESTS=OFF -DQUORVANE_BENCHMARKS=ON -DQUORVANE_STARTUP_TRACE=ON >/dev/null
cmake --build $win32 -j 2 --target quorvane quorvane_floor quorvane_floor_controls >/dev/null
rm -rf $results && mkdir -p $results
{
  sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | sort | uniq -c | sed 's/^ *\([0-9]*\) /\1 × /'
  echo "$(free -g | awk '/^Mem:/ {print $2}') GiB, Linux $(uname -r), $(g++ --version | head -n 1), $(wine --version)"
} >$results/machine.txt

benchmark() {  # NAME FLAGS...: one run of the benchmark program, its JSON in NAME.json
  local name=$1 && shift
  $build/bench/quorvane_bench build/bench-data --benchmark_out=$results/$name.json \
    --benchmark_report_aggregates_only=true "$@" >$results/$name.log 2>&1 || { cat $results/$name.log >&2; exit 1; }
}
say "1. load sequence and plain read"
benchmark load --benchmark_filter='^(PlainRead|LoadSequence)/realistic$' \
  --benchmark_repetitions=$repetitions --benchmark_enable_random_interleaving=true
say "2. scaling"
for file in {crlf,lf}_{1,10,100}mb; do
  for kind in PlainRead LoadSequence; do
    benchmark scaling-$kind-$file --benchmark_filter="^$kind/$file\$" --benchmark_repetitions=$scaling_repetitions
  done
done

say "3. start-up under Wine, $runs runs each"
export WINEPREFIX=$root/build/bench-wine QUORVANE_TRACE_FILE="Z:${root//\//\\}\\build\\bench-results\\phases.txt"
source scripts/demo-install.sh
wineserver -k 2>/dev/null || true
demo_install "$root" 2>/dev/null
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>$results/display 2>$results/xvfb.log &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb' EXIT
for _ in $(seq 100); do [ -s $results/display ] && break; sleep 0.1; done
export DISPLAY=:$(cat $results/display)
wineserver -p
declare -A title=([quorvane]=$quorvane_title [floor]="Floor: bare window" [notepad]="config.cfg - Notepad"
                  [floor_controls]="Floor: menu and 45 controls")
declare -A command=([quorvane]=$win32/quorvane.exe [floor]=$win32/bench/quorvane_floor.exe
                    [floor_controls]=$win32/bench/quorvane_floor_controls.exe
                    [notepad]=$WINEPREFIX/drive_c/windows/syswow64/notepad.exe)
names=(quorvane floor_controls floor notepad)
start() {  # NAME: prints the milliseconds from starting it to its window
  local file=() && [ $1 != notepad ] || file=("$demo_install_path\\players\\config.cfg")
  $build/bench/quorvane_startup_timer "${title[$1]}" -- wine "${command[$1]}" "${file[@]}"
}
for name in "${names[@]}"; do start $name >/dev/null; done
rm -f $results/phases.txt
load_before=$(cut -d ' ' -f 1 /proc/loadavg)
for round in $(seq $runs); do
  for i in "${!names[@]}"; do
    name=${names[$(((i + round) % ${#names[@]}))]}
    echo "$name $(start $name)" >>$results/startup.txt
    sleep 0.2  # the last one's teardown outside the next measurement
  done
done
python3 - $results "$load_before" <<'PYTHON'
import json, sys, pathlib
folder = pathlib.Path(sys.argv[1])
times, phases = {}, {}
for name, ms in (line.split() for line in (folder / "startup.txt").read_text().splitlines()):
    times.setdefault(name, []).append(float(ms))
for line in (folder / "phases.txt").read_text().splitlines() if (folder / "phases.txt").exists() else []:
    for name, ms in (field.split("=") for field in line.split(";")):
        phases.setdefault(name, []).append(float(ms))
load = [float(sys.argv[2]), float(pathlib.Path("/proc/loadavg").read_text().split()[0])]
(folder / "startup.json").write_text(json.dumps({"load_average": load, "times_ms": times, "phases_ms": phases}))
PYTHON

say "results"
python3 scripts/bench-report.py $results
