#!/usr/bin/env bash
# Start-up under Wine: the time from starting quorvane.exe to its window being mapped,
# beside Wine's own Notepad opening the same config.cfg. Called by scripts/bench.sh,
# which builds the two programs it needs; writes RESULTS/startup.json.
#
#   scripts/bench-startup.sh RESULTS TIMER QUORVANE_EXE [RUNS]
#
# TIMER is quorvane_startup_timer (bench/StartupTimer.cpp): it starts a command and
# stops the clock when the X server maps a window with the title asked for, then kills
# the program and waits until its window is gone.
#
# How it is measured:
# - one Xvfb display for the whole measurement, no window manager;
# - a Wine prefix of the benchmark's own (build/bench-wine) holding the demo
#   installation of scripts/demo-install.sh, so quorvane.exe loads a real config.cfg;
# - the Wine server is kept running between runs (wineserver -p), with Wine's own
#   services (explorer.exe, services.exe, rpcss.exe...) that the first program starts:
#   every run finds Wine warm, and none pays for starting it. One unmeasured run of
#   each program first brings Wine up and the files into the page cache;
# - the programs take turns, the order rotating from one round to the next, so that
#   whatever else the machine does falls on all alike;
# - three programs: quorvane.exe; the 32-bit notepad.exe (syswow64) started by its
#   path, as quorvane.exe is: the same loader and the same 32-bit system DLLs, which
#   is the comparison the target is about; and "wine notepad", the way one usually
#   opens Notepad, which goes through start.exe to the 64-bit notepad.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

results=$1
timer=$2
exe=$3
runs=${4:-10}
case $exe in /*) ;; *) exe=$root/$exe ;; esac

export WINEPREFIX=$root/build/bench-wine
source scripts/demo-install.sh
config="$demo_install_path\\players\\config.cfg"
notepad32="$WINEPREFIX/drive_c/windows/syswow64/notepad.exe"
notepad_title="config.cfg - Notepad"

say() { echo "== $*" >&2; }

xvfb=""
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
}
trap cleanup EXIT

say "   demo installation in $WINEPREFIX"
wineserver -k 2>/dev/null || true  # nothing left over from an earlier run
demo_install "$root" 2>/dev/null

# One display for the whole measurement; Xvfb picks a free display number and tells it.
display_file=$results/xvfb-display
rm -f "$display_file"
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$display_file" 2>"$results/xvfb.log" &
xvfb=$!
for _ in $(seq 1 200); do
  [ -s "$display_file" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "bench: Xvfb did not start (see $results/xvfb.log)" >&2; exit 1; }
  sleep 0.05
done
[ -s "$display_file" ] || { echo "bench: Xvfb gave no display number" >&2; exit 1; }
DISPLAY=:$(tr -d '[:space:]' <"$display_file")
export DISPLAY
say "   Xvfb on $DISPLAY, 1280x1024x24"

wineserver -p  # stays up between runs, until cleanup stops it

# The programs: name, window title to wait for, command.
names=(quorvane notepad32 notepad)
declare -A title command
title[quorvane]=$quorvane_title
command[quorvane]="$exe"
title[notepad32]=$notepad_title
command[notepad32]="$notepad32"
title[notepad]=$notepad_title
command[notepad]=notepad

# One timed start of a program; prints the milliseconds.
start_once() {
  local name=$1
  "$timer" --timeout=60 "${title[$name]}" -- wine "${command[$name]}" ${2:+"$2"}
}
argument_of() { [ "$1" = quorvane ] || echo "$config"; }

say "   one unmeasured run of each"
for name in "${names[@]}"; do
  start_once "$name" "$(argument_of "$name")" >/dev/null
  sleep 0.2
done

load_before=$(cut -d ' ' -f 1-3 /proc/loadavg)
declare -A times
orders=()
for round in $(seq 1 "$runs"); do
  # Rotate the order: round 1 starts with the first program, round 2 with the second...
  order=()
  for i in "${!names[@]}"; do
    order+=("${names[$(((i + round - 1) % ${#names[@]}))]}")
  done
  orders+=("$(printf '"%s",' "${order[@]}" | sed 's/,$//')")
  line=""
  for name in "${order[@]}"; do
    ms=$(start_once "$name" "$(argument_of "$name")")
    times[$name]+="${times[$name]:+, }$ms"
    line+=" $name $ms ms;"
    sleep 0.2  # let the last one's teardown finish outside the next measurement
  done
  say "   round $round:$line"
done
load_after=$(cut -d ' ' -f 1-3 /proc/loadavg)

{
  echo "{"
  echo "  \"runs\": $runs,"
  echo "  \"unmeasured_runs_first\": 1,"
  echo "  \"wine\": \"$(wine --version)\","
  echo "  \"display\": \"Xvfb 1280x1024x24, no window manager\","
  echo "  \"load_average_before\": [${load_before// /, }],"
  echo "  \"load_average_after\": [${load_after// /, }],"
  echo "  \"orders\": [$(printf '[%s], ' "${orders[@]}" | sed 's/, $//')],"
  echo "  \"programs\": ["
  last=${names[-1]}
  for name in "${names[@]}"; do
    case $name in
      quorvane) label="quorvane.exe"; how="wine …/quorvane.exe" ;;
      notepad32) label="Notepad, 32-bit, started by its path"; how="wine …/syswow64/notepad.exe config.cfg" ;;
      notepad) label="Notepad, 64-bit, by way of start.exe"; how="wine notepad config.cfg" ;;
    esac
    echo "    {\"name\": \"$name\", \"label\": \"$label\", \"command\": \"$how\", \"times_ms\": [${times[$name]}]}$([ "$name" = "$last" ] || echo ,)"
  done
  echo "  ]"
  echo "}"
} >"$results/startup.json"
python3 -m json.tool "$results/startup.json" >/dev/null
