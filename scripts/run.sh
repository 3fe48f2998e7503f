#!/usr/bin/env bash
# Builds quorvane.exe and starts it under Wine against a demo installation of the game.
# Everything it writes stays in build/: the build in build/win32, the demo in build/demo
# (its own Wine prefix with the game's registry key, a demo config.cfg, and stand-in
# game executables). ~/.wine is never touched.
#
# With a display ($DISPLAY) the window opens there and the script ends when it is closed.
# Without one, the program runs on a virtual display (Xvfb); the script saves a
# screenshot of the window as build/demo/quorvane.png, prints its path and closes the
# program again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh
source scripts/windows-preset.sh  # win32, or win64 where 32-bit programs cannot run
# The build folder can be another than the preset's own (an absolute path, or one
# relative to the repository).
build=${QUORVANE_BUILD_DIR:-build/$windows_preset}
case $build in /*) ;; *) build=$root/$build ;; esac
demo=$root/build/demo
exe=$build/quorvane.exe
export WINEPREFIX=$demo/wineprefix
source "$root/scripts/demo-install.sh"
title=$quorvane_title

# The part that runs on the virtual display: start, wait for the window, screenshot, close.
if [ "${1:-}" = "--on-virtual-display" ]; then
  framebuffer=$2
  shot=$demo/quorvane.png
  wine "$exe" &
  program=$!

  window=""
  for _ in $(seq 1 120); do
    window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$title\"" | awk '{print $1}' | head -n 1 || true)
    [ -n "$window" ] && break
    if ! kill -0 "$program" 2>/dev/null; then
      echo "run: quorvane.exe ended before its window appeared" >&2
      exit 1
    fi
    sleep 0.5
  done
  if [ -z "$window" ]; then
    echo "run: the window did not appear within a minute" >&2
    kill "$program" 2>/dev/null || true
    exit 1
  fi
  sleep 2  # let it paint

  geometry=$(xwininfo -id "$window")
  x=$(awk -F: '/Absolute upper-left X/ {gsub(/ /, "", $2); print $2}' <<<"$geometry")
  y=$(awk -F: '/Absolute upper-left Y/ {gsub(/ /, "", $2); print $2}' <<<"$geometry")
  w=$(awk -F: '/Width/ {gsub(/ /, "", $2); print $2}' <<<"$geometry")
  h=$(awk -F: '/Height/ {gsub(/ /, "", $2); print $2}' <<<"$geometry")
  # Xvfb keeps its screen as an X window dump; the window's rectangle is cut out of it
  # (padded with black where it lies off the screen).
  xwdtopnm -quiet "$framebuffer/Xvfb_screen0" | pamcut -pad -left "$x" -top "$y" -width "$w" -height "$h" |
    pnmtopng >"$shot"
  echo "run: screenshot saved to $shot"

  # A polite close (WM_CLOSE), as the close box would do; then make sure.
  wine taskkill /im quorvane.exe >/dev/null 2>&1 || true
  for _ in $(seq 1 20); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.5
  done
  if kill -0 "$program" 2>/dev/null; then
    kill "$program" 2>/dev/null || true
  fi
  status=0
  wait "$program" || status=$?
  echo "run: quorvane.exe ended with exit code $status"
  exit 0
fi

echo "== building quorvane.exe ($windows_preset)"
cmake --preset "$windows_preset" -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target quorvane

echo "== demo installation in $demo"
mkdir -p "$demo"
demo_install "$root"

if [ -n "${DISPLAY:-}" ]; then
  echo "== starting quorvane.exe on $DISPLAY (close its window to end)"
  echo "   The demo's BlackOps.exe and BlackOpsMP.exe are copies of Wine's Notepad."
  status=0
  wine "$exe" || status=$?
  wineserver -w
  echo "run: quorvane.exe ended with exit code $status"
  exit "$status"
fi

echo "== no display: running on a virtual one to take a screenshot"
framebuffer=$demo/framebuffer
rm -rf "$framebuffer"
mkdir -p "$framebuffer"
# There is no window manager on the virtual display, so Wine draws the title bar and
# border itself for the screenshot; the setting is taken back afterwards.
x11key='HKCU\Software\Wine\X11 Driver'
wine reg add "$x11key" /v Managed /d N /f >/dev/null
wineserver -w  # the program's own Wine session starts on the virtual display
status=0
xvfb-run -a -s "-screen 0 1024x768x24 -fbdir $framebuffer" \
  bash "$root/scripts/run.sh" --on-virtual-display "$framebuffer" || status=$?
wine reg delete "$x11key" /v Managed /f >/dev/null 2>&1 || true
wineserver -w
exit "$status"
