#!/usr/bin/env bash
# Builds every fuzz target with clang-19 and libFuzzer (address and undefined-behaviour
# sanitizers on) in build-fuzz/ and runs it.
#
#   scripts/fuzz.sh [seconds-per-target]     the check (default 5 s): replays each seed corpus
#                                            in fuzz/corpus/<target>/, then fuzzes from those
#                                            seeds alone with a fixed seed, so every run tries
#                                            the same inputs in the same order; a faster
#                                            machine only gets further along that sequence.
#                                            The test command and CI run this.
#   scripts/fuzz.sh --explore [seconds]      exploration (default 600 s per target): a new
#                                            random seed each run, growing a private corpus in
#                                            build-fuzz/corpus/<target>/ from one run to the
#                                            next. A crash it finds is written to
#                                            build-fuzz/<target>-crash-*: mend the fault, then
#                                            add that input to fuzz/corpus/<target>/ so the
#                                            check replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=check
if [ "${1:-}" = "--explore" ]; then
  mode=explore
  shift
  seconds="${1:-600}"
else
  seconds="${1:-5}"
fi
build=build-fuzz
jobs="${VELMORA_JOBS:-2}"
# Any fixed value would do; it only has to be the same every run.
check_seed=1

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

# Leaks that the system libraries make on malformed input are not ours to mend.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan-suppressions.txt:print_suppressions=0"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for t in "${targets[@]}"; do
  bin="$build/fuzz/$t"
  if [ ! -x "$bin" ]; then
    echo "fuzz: $t did not build" >&2
    failed=1
    continue
  fi
  seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds+=("fuzz/corpus/$t")
  log="$build/$t.log"
  common=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/$t-" -print_final_stats=1)
  if [ "$mode" = check ]; then
    # New inputs go to a scratch folder that starts empty, never into the repository and
    # never into a corpus left over from an earlier run (that would change what is tried).
    work="$scratch/$t"
    mkdir -p "$work"
    run() {
      { [ ${#seeds[@]} -eq 0 ] || "$bin" -runs=0 "${common[@]}" "${seeds[@]}"; } &&
        "$bin" -seed="$check_seed" -max_total_time="$seconds" "${common[@]}" "$work" "${seeds[@]}"
    }
  else
    work="$build/corpus/$t"
    mkdir -p "$work"
    run() {
      "$bin" -max_total_time="$seconds" "${common[@]}" "$work" "${seeds[@]}"
    }
  fi
  if run >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -n1 | grep -o '[0-9]*$' || echo '?')
    echo "fuzz: $t ok (${runs} runs in ${seconds}s, $mode)"
  else
    echo "fuzz: $t FAILED; see $log and $build/$t-*" >&2
    tail -n 30 "$log" >&2
    failed=1
  fi
done
exit $failed
