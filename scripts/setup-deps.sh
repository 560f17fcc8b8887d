#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Velmora needs.
# Safe to run again: apt-get skips what is already installed.
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
  # tests and tooling
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick sox libsox-fmt-all python3-numpy fonts-dejavu-core
)

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
