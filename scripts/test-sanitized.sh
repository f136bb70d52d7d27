#!/usr/bin/env bash
# Builds the logic library and its tests with AddressSanitizer and UBSan into build-asan/ (no
# Qt) and runs them: any read or write outside a table, leak or undefined behaviour fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KESTROVA_ASAN_BUILD:-build-asan}
# Configured on every run, so that a build folder made before an option existed gets it too.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTROVA_QT=OFF -DKESTROVA_SANITIZE=ON -DKESTROVA_WERROR=ON -DKESTROVA_BENCH=OFF >/dev/null
cmake --build "$build" -j2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure --timeout 600 -j2
