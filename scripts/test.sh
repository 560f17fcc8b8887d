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
ctest_log="$build/ctest-summary.log"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 600) \
  | tee "$ctest_log" || status=$?

fuzz_seconds="${VELMORA_FUZZ_SECONDS:-3}"
if [ "$fuzz_seconds" != 0 ]; then
  bash scripts/fuzz.sh "$fuzz_seconds" || status=1
fi
# The audio path again, built with RealtimeSanitizer: any lock, allocation or blocking call
# in the real-time code aborts the run with a report.
if [ "${VELMORA_RTSAN:-1}" != 0 ]; then
  bash scripts/rtsan-test.sh || status=1
fi

echo "test.sh: finished in $(( $(date +%s) - start )) s with status $status"
# One closing line with the suite's counts, whatever ran after the test runner.
total=$(grep -oE 'tests failed out of [0-9]+' "$ctest_log" | grep -oE '[0-9]+$' || echo 0)
failed=$(grep -oE '[0-9]+ tests failed out of' "$ctest_log" | grep -oE '^[0-9]+' || echo 0)
echo "tests: $(( ${total:-0} - ${failed:-0} )) passed, ${failed:-0} failed"
exit $status
