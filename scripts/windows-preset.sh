# shellcheck shell=bash
# Which build of the Windows program this machine's Wine can run. Sourced by the
# scripts that run it (setup.sh, test.sh, run.sh).
#
# win32 is the program as released: 32-bit. Some kernels run 64-bit programs only, and
# Wine's 32-bit loader is a 32-bit Linux program; there the same sources are built for
# 64 bits (the win64 preset) and run by Wine's 64-bit loader, which `wine` then stands
# for in the sourcing script and in the scripts it starts.

# True when Wine's 32-bit loader is installed and runs on this machine.
runs_32bit_programs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

windows_preset=win32
wine_program=wine  # for a program that starts Wine itself
if ! runs_32bit_programs; then
  windows_preset=win64
  wine_program=/usr/lib/wine/wine64
  wine() { /usr/lib/wine/wine64 "$@"; }
  export -f wine
fi
