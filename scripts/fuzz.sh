#!/usr/bin/env bash
# Builds the libFuzzer target fuzz_config (preset fuzz) and runs it for a bounded time on
# a scratch copy of its seed corpus, fuzz/corpus/config/, which is never written to.
#
#   scripts/fuzz.sh [SECONDS]     or FUZZ_SECONDS=...; default 60
#
# Exits non-zero when the target crashes, leaks, hangs, runs out of memory or any
# sanitizer reports. The input that did it is kept under build/fuzz/artifacts/ and the
# full output in build/fuzz/fuzz_config.log.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-${FUZZ_SECONDS:-60}}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "fuzz: the time must be a whole number of seconds, not '$seconds'" >&2
  exit 2
fi

bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2

build=build/fuzz
corpus=$build/corpus-work artifacts=$build/artifacts/ log=$build/fuzz_config.log
rm -rf "$corpus" "$artifacts"
mkdir -p "$corpus" "$artifacts"
cp fuzz/corpus/config/* "$corpus"/

echo "== fuzz_config for ${seconds}s"
rc=0
# Small seeds keep libFuzzer's inputs small, and small inputs reach the odd line shapes
# much sooner than mutations spread over a whole config.cfg.
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  "$build/fuzz/fuzz_config" "$corpus" -dict=fuzz/config.dict \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -detect_leaks=1 \
    -print_final_stats=1 -artifact_prefix="$artifacts" >"$log" 2>&1 || rc=$?

grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units)' "$log" || true
if [ "$rc" -ne 0 ] ||
   grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|property does not hold' "$log" ||
   [ -n "$(ls -A "$artifacts")" ]; then
  echo "fuzz_config FAILED (exit $rc). Last lines of $log:"
  tail -n 40 "$log"
  echo "Inputs kept in $artifacts:"
  ls -l "$artifacts"
  exit 1
fi
echo "fuzz_config: no crash, leak, hang or sanitizer report"
