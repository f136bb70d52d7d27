#!/usr/bin/env bash
# Cross-builds the logic library and its tests as Windows programs with mingw-w64 (GoogleTest
# from Debian's sources) into build-mingw/, and runs them under Wine, so the Windows rules run
# on Windows' own file system semantics. Without Wine it only builds.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KESTROVA_MINGW_BUILD:-build-mingw}
# Configured on every run, so that a build folder made before an option existed gets it too.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKESTROVA_QT=OFF -DKESTROVA_BENCH=OFF \
  -DKESTROVA_HTML_IMPORT=OFF -DKESTROVA_WERROR=ON \
  -DKESTROVA_GTEST_SOURCE=/usr/src/googletest >/dev/null
cmake --build "$build" -j2
if ! command -v wine >/dev/null; then
  echo "Wine is not installed: the Windows tests were built, not run." >&2
  exit 0
fi
# A private Wine prefix, made on the first run; no display is needed for console programs.
export WINEPREFIX=$PWD/$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
# Make the prefix and keep one server running before the tests start in parallel: two first
# starts of Wine race to create them.
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot --init >/dev/null 2>&1 || true
# Open Windows findings: each test named here stays out of the Wine run, with its reason, until
# its fault is fixed; then it leaves this list.
known=()
excluded=()
for entry in "${known[@]}"; do
  echo "Not run under Wine: ${entry%%|*}: ${entry#*|}"
  excluded+=("${entry%%|*}")
done
pattern=$(IFS='|'; echo "${excluded[*]}")
ctest --test-dir "$build" --output-on-failure --timeout 600 -j2 ${pattern:+-E "^($pattern)\$"}
