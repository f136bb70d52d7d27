#!/usr/bin/env bash
# Configures (once) and builds everything into build/, two jobs at a time.
set -euo pipefail
cd "$(dirname "$0")/.."
# Our own build treats warnings as errors; a build folder made before that is reconfigured.
if [ ! -f build/build.ninja ] || ! grep -q '^KESTROVA_WERROR:BOOL=ON' build/CMakeCache.txt; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTROVA_WERROR=ON
fi
cmake --build build -j2
