#!/usr/bin/env bash
# Runs one fuzz target (or "all", one after another) for the given seconds each, at the lowest
# priority so that other work keeps the machine:
#   scripts/fuzz.sh catalog 600      scripts/fuzz.sh all 15
# Targets are the folders of fuzz/. Each run grows build-fuzz/corpus/TARGET from the seeds in
# fuzz/TARGET/corpus; a crashing input lands in build-fuzz/findings/TARGET/. Prints one line
# per target: executions, seconds, findings. Fails when any target finds something.
# Inputs in fuzz/TARGET/findings/ crashed the reader before; --skip-open leaves out a target
# while one of them still does (and says so), so that a known fault stops no other work.
# KESTROVA_FUZZ_KEEP_GOING=1 runs past crashes (libFuzzer's fork mode) to look for more.
set -euo pipefail
cd "$(dirname "$0")/.."

skip_open=0
if [ "${1:-}" = --skip-open ]; then
  skip_open=1
  shift
fi
if [ $# -ne 2 ]; then
  echo "usage: $0 [--skip-open] TARGET|all SECONDS" >&2
  exit 2
fi
seconds=$2
build=${KESTROVA_FUZZ_BUILD:-build-fuzz}
if [ "$1" = all ]; then
  targets=()
  for dir in fuzz/*/; do
    [ -f "$dir/main.cpp" ] && targets+=("$(basename "$dir")")
  done
else
  targets=("$1")
fi

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTROVA_QT=OFF -DKESTROVA_FUZZ=ON -DKESTROVA_WERROR=ON -DBUILD_TESTING=OFF \
    -DKESTROVA_BENCH=OFF >/dev/null
fi
if ! output=$(nice -n 19 cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}" 2>&1); then
  echo "$output" >&2
  exit 1
fi

failed=0
# The saved crashing inputs of a target that still crash it.
open_findings() {
  local input
  for input in "fuzz/$1/findings"/*; do
    [ -f "$input" ] && [ "$(basename "$input")" != README ] || continue
    "$build/fuzz/fuzz_$1" "$input" >/dev/null 2>&1 || basename "$input"
  done
}

keep_going=()
[ -z "${KESTROVA_FUZZ_KEEP_GOING:-}" ] || keep_going=(-fork=1 -ignore_crashes=1)

for target in "${targets[@]}"; do
  open=$(open_findings "$target" | tr '\n' ' ')
  if [ -n "$open" ]; then
    echo "fuzz $target: open findings in fuzz/$target/findings: $open"
    if [ "$skip_open" -eq 1 ]; then
      continue
    fi
    failed=1
  fi
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  started=$(date +%s)
  status=0
  nice -n 19 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=30 \
    "${keep_going[@]}" -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "fuzz/$target/corpus" >"$log" 2>&1 || status=$?
  elapsed=$(($(date +%s) - started))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  # Fork mode prints only its running totals: "#RUNS: cov: ...".
  [ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\): cov:.*/\1/p' "$log" | tail -1)
  found=$(find "$findings" -type f -newermt "@$started" | wc -l)
  echo "fuzz $target: ${runs:-?} executions in ${elapsed} s, $found findings"
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    grep -m1 -A12 -E '^==[0-9]+==ERROR|runtime error|^SUMMARY|deadly signal' "$log" >&2 || true
    echo "  log: $log; inputs: $findings" >&2
  fi
done
exit $failed
