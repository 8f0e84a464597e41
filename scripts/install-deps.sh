#!/usr/bin/env bash
# Installs everything Sonorelle needs to build, test and run, from Debian 12's
# packages. Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libsndfile1-dev libsamplerate0-dev libcdio-dev libcdio-paranoia-dev
  libtag1-dev
  zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  fonts-dejavu-core xvfb xauth xdotool x11-utils imagemagick
  lame sox ffmpeg id3v2 python3-mutagen
  desktop-file-utils appstream dpkg-dev file libglib2.0-bin
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
