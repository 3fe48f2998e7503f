#!/usr/bin/env bash
# Everything CI runs: set-up, then every build and every test suite. Exits non-zero
# if anything fails. Wine runs in a prefix inside the build folder, never ~/.wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)

for preset in native native-asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset"
done

echo "== win32 (under Wine, on a virtual X display)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win32

echo "== release: quorvane.exe built twice, the same bytes"
bash scripts/release.sh --check

echo "== fuzzing, ${FUZZ_SECONDS:-60} s"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
