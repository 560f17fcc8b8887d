#!/usr/bin/env bash
# Installs what is needed, then configures and builds Velmora into build/ (Ninja, ccache
# when present). Extra arguments go to CMake's configure step (e.g. -DVELMORA_BUILD_UI=OFF).
# VELMORA_JOBS sets the number of parallel jobs (default: the number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
build="${VELMORA_BUILD_DIR:-build}"
jobs="${VELMORA_JOBS:-$(nproc)}"
# A build folder configured by another generator cannot be reused; start it afresh.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j "$jobs"
