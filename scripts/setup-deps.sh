#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Velmora needs, on
# Debian 12. Safe to run again: when everything is present it changes nothing and needs no
# network; otherwise it refreshes the package lists first and installs what is missing.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config
  clang-19 libclang-rt-19-dev
  # libraries
  qt6-base-dev qt6-base-dev-tools libgl-dev
  portaudio19-dev libsndfile1-dev libsoxr-dev libebur128-dev
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev
  libjpeg62-turbo-dev
  # audio CDs and CD images: drives, tables of contents, error-corrected reading
  libcdio-dev libcdio-paranoia-dev libcdio-cdda-dev
  # running: opening addresses and folders in the desktop's own programs
  xdg-utils
  # tests and tooling
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick sox libsox-fmt-all python3-numpy fonts-dejavu-core
  # a private session bus for the media-player test
  dbus-daemon
)

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "setup-deps: this script needs Debian's apt-get and dpkg (Debian 12 or later)" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null; then
  SUDO=(sudo)
else
  echo "setup-deps: missing packages (${missing[*]}) and no sudo to install them; run as root" >&2
  exit 1
fi
echo "setup-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update
"${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
