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
updated=no
install() {
    export DEBIAN_FRONTEND=noninteractive
    if [[ $updated == no ]]; then
        apt-get update -qq
        updated=yes
    fi
    apt-get install -y -qq "$@"
}
if ((${#missing[@]})); then
    install "${missing[@]}"
fi

# The package's checkers: lintian, and hardening-check from devscripts. Without their
# recommendations (keyrings, debhelper, autotools) they add about 130 small packages, 28 MB.
checkers=()
for p in lintian devscripts; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || checkers+=("$p")
done
if ((${#checkers[@]})); then
    install --no-install-recommends "${checkers[@]}"
fi

# libFuzzer and the sanitizer runtimes of the installed clang (clang only recommends them).
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
runtime=libclang-rt-$clang_major-dev
if ! dpkg-query -W -f='${Status}' "$runtime" 2>/dev/null | grep -q "install ok installed"; then
    install "$runtime"
fi
