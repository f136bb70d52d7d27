#!/usr/bin/env bash
# Runs every suite that drives real windows or the real web engine (the ctest label "gui") many
# times in a row while other processes keep every core busy: a test that leans on the machine's
# speed fails here, not on a newcomer's slower or busier machine.
#
#   scripts/repeat-tests.sh [REPETITIONS] [BUILD_FOLDER]     (default: 30 build)
#
# The suites run side by side, each in its own loop. Prints each suite's runs and failures, and
# the log of every failed run; exits non-zero when any run failed.
set -euo pipefail
cd "$(dirname "$0")/.."
repetitions=${1:-30}
build=${2:-build}
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

mapfile -t suites < <(ctest --test-dir "$build" -N -L '^gui$' | sed -n 's/^ *Test *#[0-9]*: //p')
if ((${#suites[@]} == 0)); then
  echo "No suite labelled gui in $build: build it first (scripts/build.sh)." >&2
  exit 1
fi

cores=$(nproc)
load_pids=()
stop_load() {
  for pid in "${load_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait "${load_pids[@]}" 2>/dev/null || true
}
trap stop_load EXIT
if ! command -v stress-ng >/dev/null && command -v apt-get >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
      $sudo apt-get install -y -qq --no-install-recommends stress-ng; } >/dev/null 2>&1 || true
fi
if command -v stress-ng >/dev/null; then
  stress-ng --cpu "$cores" --quiet &
  load_pids+=($!)
  echo "Load: stress-ng --cpu $cores"
else
  for ((k = 0; k < cores; ++k)); do
    bash -c 'while :; do :; done' &
    load_pids+=($!)
  done
  echo "Load: $cores busy loops"
fi

logs=$(mktemp -d)
echo "Suites: ${suites[*]}; $repetitions runs each, side by side; logs in $logs"
started=$SECONDS
loop_pids=()
for suite in "${suites[@]}"; do
  (
    for ((run = 1; run <= repetitions; ++run)); do
      log="$logs/$suite.$run.log"
      begun=$SECONDS
      if ctest --test-dir "$build" -R "^$suite\$" --output-on-failure >"$log" 2>&1; then
        echo "pass $((SECONDS - begun))" >>"$logs/$suite.results"
        rm -f "$log"
      else
        echo "FAIL $((SECONDS - begun)) $log" >>"$logs/$suite.results"
      fi
    done
  ) &
  loop_pids+=($!)
done
wait "${loop_pids[@]}"

failures=0
printf '\n%-22s %5s %9s %12s\n' suite runs failures "longest run"
for suite in "${suites[@]}"; do
  runs=$(wc -l <"$logs/$suite.results")
  failed=$(grep -c '^FAIL' "$logs/$suite.results" || true)
  longest=$(awk '{ if ($2 > m) m = $2 } END { print m + 0 }' "$logs/$suite.results")
  printf '%-22s %5d %9d %10d s\n' "$suite" "$runs" "$failed" "$longest"
  failures=$((failures + failed))
done
echo "All runs: $((SECONDS - started)) s, failures: $failures"
if ((failures > 0)); then
  grep -h '^FAIL' "$logs"/*.results | while read -r _ _ log; do
    echo "== $log"
    tail -n 60 "$log"
  done
  exit 1
fi
