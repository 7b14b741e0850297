#!/usr/bin/env bash
# Installs everything the game, its tests, its benchmarks and its Debian package need on Debian 12
# (run as root).
set -euo pipefail
packages=(build-essential cmake pkg-config clang
          liballegro4-dev libboost-dev zlib1g-dev
          libgtest-dev libbenchmark-dev
          xvfb xdotool x11-apps imagemagick libx11-dev
          desktop-file-utils appstream groff-base file dpkg-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
