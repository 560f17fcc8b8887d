#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite, then a short
# fuzzing smoke run of every file reader. No display and no sound card are needed.
#
#   VELMORA_FUZZ_SECONDS=0 scripts/test.sh    skips the fuzzing step
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
bash scripts/build.sh
build="${VELMORA_BUILD_DIR:-build}"
jobs="${VELMORA_JOBS:-$(nproc)}"

status=0
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 600) || status=$?

fuzz_seconds="${VELMORA_FUZZ_SECONDS:-3}"
if [ "$fuzz_seconds" != 0 ]; then
  bash scripts/fuzz.sh "$fuzz_seconds" || status=1
fi
echo "test.sh: finished in $(( $(date +%s) - start )) s with status $status"
exit $status
