#!/usr/bin/env bash
# Everything CI runs: set-up, then every build and every test suite. Exits non-zero
# if anything fails. Wine runs in a prefix inside the build folder, never ~/.wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/windows-preset.sh

jobs=$(nproc 2>/dev/null || echo 2)

for preset in native native-asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset"
done

echo "== what MSVC would reject at /W4, found with clang"
python3 scripts/msvc-check.py

echo "== $windows_preset (under Wine, on a virtual X display)"
if [ "$windows_preset" != win32 ]; then
  echo "NOTE: this machine cannot run 32-bit programs: the Windows tests run the same sources" \
       "built for 64 bits; the 32-bit quorvane.exe is built (below), not run." >&2
fi
cmake --preset "$windows_preset" >/dev/null
cmake --build --preset "$windows_preset" -j "$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$windows_preset"
python3 scripts/check-exe.py "build/$windows_preset/quorvane.exe" "$([ "$windows_preset" = win32 ] && echo pei-i386 || echo pei-x86-64)"

echo "== release: quorvane.exe built twice, the same bytes"
bash scripts/release.sh --check
if [ "$windows_preset" = win32 ]; then
  cmp build/win32/quorvane.exe build/release/quorvane.exe
  echo "== the quorvane.exe tested above is the released one, byte for byte"
fi

echo "== fuzzing, ${FUZZ_SECONDS:-60} s"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
