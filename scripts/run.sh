#!/usr/bin/env bash
# Installs what is needed, builds Velmora and starts it. Without a display, it starts a
# virtual one (Xvfb) so the program can still run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build="${VELMORA_BUILD_DIR:-build}"
exe="$build/velmora/velmora"
if [ ! -x "$exe" ]; then
  echo "run.sh: $exe was not built" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$exe" "$@"
fi
exec "$exe" "$@"
