#!/usr/bin/env bash
# Installs the dependencies, builds the game and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DGROUNDLINE_TESTS=OFF -DGROUNDLINE_BENCH=OFF
cmake --build "$root/build" -j"$(nproc)" --target groundline
cd "$root"   # the game reads data/ from the working directory
exec ./build/groundline
