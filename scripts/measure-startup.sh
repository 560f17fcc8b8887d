#!/usr/bin/env bash
# Measures cold start to the main window and memory at idle, under a virtual display.
# Each run starts from a fresh copy of the program folder and a fresh settings folder with
# the system check already passed, so the road is splash -> main window, as on every start
# after the first. With --loops N the copy holds a saved soundscape: background bank one
# with its first N loops switched on, restored at start as after a quit. Prints each run,
# the median start time, and the resident and peak memory after some idle seconds.
#
#   scripts/measure-startup.sh [--loops N] [build folder] [runs] [idle seconds]
#                                                          (0, build, 5, 10)
set -euo pipefail
cd "$(dirname "$0")/.."
loops=0
if [ "${1:-}" = "--loops" ]; then
  loops="$2"
  shift 2
fi
build="${1:-build}"
runs="${2:-5}"
idle="${3:-10}"
folder="$(realpath "$build/velmora")"
[ -x "$folder/velmora" ] || { echo "measure: $folder/velmora is missing; build first" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "measure: needs xdotool" >&2; exit 1; }

if [ -z "${MEASURE_INNER:-}" ]; then
  exec env MEASURE_INNER=1 xvfb-run -a -s "-screen 0 1600x1000x24" "$0" --loops "$loops" "$@"
fi

# back.ini: one line of 128 numbers. Volumes 1-18, the Bwaves and master copies, pans
# 21-38, the MP3 and random copies, rates 41-58, switches 59-76, 18 reserved flags, then a
# range (low and high position) for each of the 17 slots.
background_state() {
  local on=$1 fields=() s
  for s in $(seq 1 18); do fields+=(200); done
  fields+=(10 500)
  for s in $(seq 1 18); do fields+=(128); done
  fields+=(2500 10)
  for s in $(seq 1 18); do fields+=(500); done
  for s in $(seq 1 18); do fields+=($([ "$s" -le "$on" ] && echo 1 || echo 0)); done
  for s in $(seq 1 18); do fields+=(0); done
  for s in $(seq 1 17); do fields+=(200 50); done
  (IFS=,; printf '%s\r\n' "${fields[*]}")
}

# The main window: a visible top-level window larger than the splash.
main_window_up() {
  local id
  for id in $(xdotool search --onlyvisible --name 'Velmora' 2>/dev/null); do
    local w
    w=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
    [ -n "$w" ] && [ "$w" -gt 600 ] && return 0
  done
  return 1
}

times=()
cpu_times=()
for i in $(seq 1 "$runs"); do
  home=$(mktemp -d)
  mkdir -p "$home/velmora"
  printf '[Options]\r\nShow Tips at Start2=1\r\n' > "$home/velmora/velmora.ini"
  cp -a "$folder" "$home/program"
  rm -f "$home/program"/*.ini "$home/program"/*.tmp
  if [ "$loops" -gt 0 ]; then
    background_state "$loops" > "$home/program/back.ini"
  fi
  start=$(date +%s%N)
  XDG_CONFIG_HOME="$home" "$home/program/velmora" >/dev/null 2>"$home/stderr" &
  pid=$!
  until main_window_up; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "measure: the program exited; it said:" >&2
      tail -5 "$home/stderr" >&2
      exit 1
    fi
    sleep 0.02
  done
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  # CPU time spent by then: on a busy machine the wall time mostly measures the others.
  cpu_ms=$(awk -v hz="$(getconf CLK_TCK)" '{print int(($14 + $15) * 1000 / hz)}' "/proc/$pid/stat")
  times+=("$ms")
  cpu_times+=("$cpu_ms")
  echo "run $i: main window after ${ms} ms (cpu ${cpu_ms} ms)"
  if [ "$i" -eq "$runs" ]; then
    sleep "$idle"
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    cpu=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    echo "idle after ${idle} s: resident $((rss / 1024)) MiB, peak $((hwm / 1024)) MiB, cpu ticks so far $cpu"
  fi
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -rf "$home"
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( $# / 2 + 1 ))p"; }
echo "median of $runs (${loops} loops restoring): $(median "${times[@]}") ms, cpu $(median "${cpu_times[@]}") ms"
