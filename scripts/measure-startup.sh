#!/usr/bin/env bash
# Measures cold start to the main window and memory at idle, under a virtual display.
# Each run uses a fresh settings folder with the system check already passed, so the road
# is splash -> main window, as on every start after the first. Prints each run, the median
# start time, and the resident and peak memory after some idle seconds.
#
#   scripts/measure-startup.sh [build folder] [runs] [idle seconds]    (build, 5, 10)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-5}"
idle="${3:-10}"
exe="$(realpath "$build/velmora/velmora")"
[ -x "$exe" ] || { echo "measure: $exe is missing; build first" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "measure: needs xdotool" >&2; exit 1; }

if [ -z "${MEASURE_INNER:-}" ]; then
  exec env MEASURE_INNER=1 xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$@"
fi

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
for i in $(seq 1 "$runs"); do
  home=$(mktemp -d)
  mkdir -p "$home/velmora"
  printf '[Options]\r\nShow Tips at Start2=1\r\n' > "$home/velmora/velmora.ini"
  start=$(date +%s%N)
  XDG_CONFIG_HOME="$home" "$exe" >/dev/null 2>&1 &
  pid=$!
  until main_window_up; do
    kill -0 "$pid" 2>/dev/null || { echo "measure: the program exited" >&2; exit 1; }
    sleep 0.02
  done
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  times+=("$ms")
  echo "run $i: main window after ${ms} ms"
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
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "median of $runs: ${sorted[$(( runs / 2 ))]} ms"
