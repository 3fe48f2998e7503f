#!/usr/bin/env bash
# Builds the libFuzzer target (preset fuzz) and runs it for a bounded time on a
# scratch copy of its seed corpus and regression inputs. The corpus in the repository is
# never written to.
#
#   scripts/fuzz.sh [SECONDS]     seconds per target; or FUZZ_SECONDS=...; default 60
#
# Exits non-zero when a target crashes, leaks, hangs, runs out of memory or any
# sanitizer reports. The input that did it is kept under build/fuzz/artifacts/<target>/
# and the full output in build/fuzz/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-${FUZZ_SECONDS:-60}}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "fuzz: the time per target must be a whole number of seconds, not '$seconds'" >&2
  exit 2
fi

bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2

build=build/fuzz
failed=()
for target in config; do
  corpus=$build/corpus-work/$target
  artifacts=$build/artifacts/$target/
  log=$build/$target.log
  rm -rf "$corpus" "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  cp fuzz/corpus/"$target"/* "$corpus"/
  if [ -d fuzz/regressions/"$target" ] && [ -n "$(ls -A fuzz/regressions/"$target")" ]; then
    cp fuzz/regressions/"$target"/* "$corpus"/
  fi
  # Small seeds keep libFuzzer's inputs small, and small inputs reach the odd line
  # shapes much sooner than mutations spread over a whole config.cfg.
  options=()
  [ -f fuzz/"$target".dict ] && options+=(-dict=fuzz/"$target".dict)

  echo "== fuzz_$target for ${seconds}s"
  rc=0
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    "$build/fuzz/fuzz_$target" "$corpus" "${options[@]}" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -detect_leaks=1 \
      -print_final_stats=1 -artifact_prefix="$artifacts" >"$log" 2>&1 || rc=$?

  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units)' "$log" || true
  if [ "$rc" -ne 0 ] ||
     grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|property does not hold' "$log" ||
     [ -n "$(ls -A "$artifacts")" ]; then
    echo "fuzz_$target FAILED (exit $rc). Last lines of $log:"
    tail -n 40 "$log"
    echo "Inputs kept in $artifacts:"
    ls -l "$artifacts"
    failed+=("fuzz_$target")
  else
    echo "fuzz_$target: no crash, leak, hang or sanitizer report"
  fi
done

if [ "${#failed[@]}" -ne 0 ]; then
  echo "fuzz: FAILED: ${failed[*]}"
  exit 1
fi
echo "fuzz: all targets clean"
