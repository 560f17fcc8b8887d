#!/usr/bin/env bash
# Builds the sound engine and its tests with clang 19 and RealtimeSanitizer, then runs the
# audio tests. The mixer marks its processing as real-time in this build, so any lock,
# allocation or blocking system call on the audio path aborts the test with a report.
# Usage: scripts/rtsan-test.sh [build folder, default build-rtsan]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-rtsan}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-19 -DCMAKE_CXX_COMPILER=clang++-19 \
  -DVELMORA_RTSAN=ON -DVELMORA_GENERATE_FACTORY=OFF >/dev/null
ninja -C "$build" -j2 test_audio
# The real-time marking covers every offline render of these suites; halt on the first report.
RTSAN_OPTIONS="halt_on_error=1" "$build/tests/audio/test_audio" \
  --gtest_filter='Realtime.*:ChannelsTest.*:EffectsTest.*:StreamTest.*'
