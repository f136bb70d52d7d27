#!/usr/bin/env bash
# Sets up, builds and runs every test: the program's own build, the logic tests again with
# AddressSanitizer and UBSan, a short run of every fuzz target, and the logic tests as Windows
# programs under Wine. Each stage prints how long it took.
set -euo pipefail
cd "$(dirname "$0")"

stage() {
  local name=$1 started=$SECONDS
  shift
  echo "== $name"
  "$@"
  echo "== $name: $((SECONDS - started)) s"
}

tests() {
  [ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
  ctest --test-dir build --output-on-failure --timeout 300 -j2
}

stage setup scripts/setup.sh
stage build scripts/build.sh
stage tests tests
stage sanitized scripts/test-sanitized.sh
stage fuzz scripts/fuzz.sh all 15
stage windows scripts/test-windows.sh
echo "== all stages: $SECONDS s"
