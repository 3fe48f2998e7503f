#!/usr/bin/env bash
# Builds and runs Quorvane's start-up benchmark; scripts/bench-report.py prints the results.
# Start-up under Wine, from starting a program to its window being mapped on an Xvfb
# display: quorvane.exe, built with its start-up phases timed (QUORVANE_STARTUP_TRACE,
# bench/StartupTrace.h), on three config.cfg files (the demo's, the same with CR LF line
# ends, the demo's repeated to 100 MiB); the three floors of bench/Floor.cpp; and Wine's
# Notepad, 32- or 64-bit as the programs are, opening the demo's config.cfg. One
# unmeasured run each first, then the programs take turns in a rotating order, the Wine
# server kept warm throughout.
# Everything stays in build/: native-release and bench-win32 or bench-win64 (the builds), bench-wine
# (the Wine prefix, with the three files: about 100 MiB), bench-results (raw results).
#
#   scripts/bench.sh [--quick]    --quick: 3 runs each instead of 10, to try it out
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build/native-release results=build/bench-results
runs=10
if [ "${1:-}" = --quick ]; then runs=3; fi
say() { echo "== $*" >&2; }

bash scripts/setup.sh
source scripts/windows-preset.sh  # win32, or win64 where 32-bit programs cannot run
windows=build/bench-$windows_preset
say "build ($windows_preset)"
cmake --preset native-release >/dev/null
cmake --build $build -j 2 --target quorvane_startup_timer >/dev/null
# --fresh: no flags left in the cache by an earlier configuration; the program is built
# as the released one, with only the phases added.
cmake --preset "$windows_preset" -B $windows --fresh -DQUORVANE_TESTS=OFF -DQUORVANE_BENCHMARKS=ON -DQUORVANE_STARTUP_TRACE=ON >/dev/null
cmake --build $windows -j 2 --target quorvane quorvane_floor quorvane_floor_controls quorvane_floor_picture >/dev/null
rm -rf $results && mkdir -p $results
{
  sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | sort | uniq -c | sed 's/^ *\([0-9]*\) /\1 × /'
  echo "$(free -g | awk '/^Mem:/ {print $2}') GiB, Linux $(uname -r)," \
       "$($([ "$windows_preset" = win32 ] && echo i686 || echo x86_64)-w64-mingw32-g++-posix --version | head -n 1)," \
       "$(wine --version), the $windows_preset preset"
} >$results/machine.txt

say "start-up under Wine, $runs runs each"
export WINEPREFIX=$root/build/bench-wine
source scripts/demo-install.sh
wineserver -k 2>/dev/null || true
demo_install "$root" 2>/dev/null
players="$(demo_game_dir)/players"
# The files quorvane.exe reads in turn, each hard-linked as players/config.cfg when its
# turn comes. The big one is the demo's over and over (yes adds back the line feed at
# its end that $(...) drops).
cp assets/config.cfg "$players/demo.cfg"
sed 's/$/\r/' assets/config.cfg >"$players/crlf.cfg"
{ yes "$(cat assets/config.cfg)" || true; } | head -c $((100 << 20)) >"$players/big.cfg"
(cd "$players" && stat -c '%n %s' demo.cfg crlf.cfg big.cfg) >$results/sizes.txt

Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>$results/display 2>$results/xvfb.log &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb' EXIT
for _ in $(seq 100); do [ -s $results/display ] && break; sleep 0.1; done
export DISPLAY=:$(cat $results/display)
wineserver -p
exe=$windows/quorvane.exe
# Notepad of the same width as quorvane.exe.
notepad=$WINEPREFIX/drive_c/windows/$([ "$windows_preset" = win32 ] && echo syswow64 || echo system32)/notepad.exe
declare -A title=([demo]=$quorvane_title [crlf]=$quorvane_title [big]=$quorvane_title [notepad]="config.cfg - Notepad"
                  [floor_picture]="Floor: menu, 45 controls and picture" [floor_controls]="Floor: menu and 45 controls"
                  [floor]="Floor: bare window")
declare -A command=([demo]=$exe [crlf]=$exe [big]=$exe [floor_picture]=$windows/bench/quorvane_floor_picture.exe
                    [floor_controls]=$windows/bench/quorvane_floor_controls.exe [floor]=$windows/bench/quorvane_floor.exe
                    [notepad]=$notepad)
names=(demo crlf big floor_picture floor_controls floor notepad)
start() {  # NAME: prints the milliseconds from starting it to its window
  local file=demo argument=()
  case $1 in demo | crlf | big) file=$1 ;; notepad) argument=("$demo_install_path\\players\\config.cfg") ;; esac
  ln -f "$players/$file.cfg" "$players/config.cfg"
  QUORVANE_TRACE_FILE="Z:${root//\//\\}\\build\\bench-results\\phases-$1.txt" \
    $build/bench/quorvane_startup_timer "${title[$1]}" -- "$wine_program" "${command[$1]}" "${argument[@]}"
}
for name in "${names[@]}"; do start $name >/dev/null; done
rm -f $results/phases-*.txt
load_before=$(cut -d ' ' -f 1 /proc/loadavg)
for round in $(seq $runs); do
  for i in "${!names[@]}"; do
    name=${names[$(((i + round) % ${#names[@]}))]}
    ms=$(start $name)
    echo "$name $ms" >>$results/startup.txt
    sleep 0.2  # the last one's teardown outside the next measurement
  done
done
echo "$load_before $(cut -d ' ' -f 1 /proc/loadavg)" >$results/loadavg.txt

say "results"
python3 scripts/bench-report.py $results
