#!/usr/bin/env bash
# Builds every fuzz target with clang-19 and libFuzzer (address and undefined-behaviour
# sanitizers on) in build-fuzz/, then runs each for a few seconds from its seed corpus in
# fuzz/corpus/<target>/. New inputs go to build-fuzz/corpus/, never into the repository.
#
#   scripts/fuzz.sh [seconds-per-target]      (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-5}"
build=build-fuzz
jobs="${VELMORA_JOBS:-2}"

for tool in clang-19 clang++-19; do
  command -v "$tool" >/dev/null || { echo "fuzz: $tool is missing (run scripts/setup-deps.sh)" >&2; exit 1; }
done

instrument="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang-19 -DCMAKE_CXX_COMPILER=clang++-19 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$instrument" -DCMAKE_CXX_FLAGS="$instrument" \
  -DVELMORA_FUZZ=ON -DVELMORA_BUILD_UI=OFF \
  -DVELMORA_BUILD_BENCH=OFF -DVELMORA_GENERATE_FACTORY=OFF -DVELMORA_WERROR=OFF >/dev/null

targets=()
for src in fuzz/*_fuzz.cpp; do
  targets+=("$(basename "$src" .cpp)")
done
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no targets"; exit 0; }
# Keep going past a target that does not build, so the others still run.
failed=0
cmake --build "$build" -j "$jobs" --target "${targets[@]}" -- -k 0 || failed=1

for t in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/$t" ]; then
    echo "fuzz: $t did not build" >&2
    failed=1
    continue
  fi
  work="$build/corpus/$t"
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds+=("fuzz/corpus/$t")
  log="$build/$t.log"
  if "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/$t-" -print_final_stats=1 "$work" "${seeds[@]}" >"$log" 2>&1; then
    runs=$(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz: $t ok (${runs} runs in ${seconds}s)"
  else
    echo "fuzz: $t FAILED; see $log and $build/$t-*" >&2
    tail -n 30 "$log" >&2
    failed=1
  fi
done
exit $failed
