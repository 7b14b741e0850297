#!/usr/bin/env bash
# Builds groundline-sim and groundline-search optimised with a profile of their own games (GCC's
# profile-guided optimisation), for long searches: the tools first built to count what their
# code does while they play a few games of the kinds a search plays, then built again from those
# counts. They play exactly the games of an ordinary build, only faster; the script checks that
# on the games it trained with before it says they are ready.
#
#   bash scripts/build-profiled.sh [BUILD_DIR]   (default build-profiled; prints where they are)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-profiled}
mkdir -p "$build"
build=$(cd "$build" && pwd)
profile=$build/profile
jobs=$(nproc)

configure() {
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGROUNDLINE_TESTS=OFF \
          -DGROUNDLINE_BENCH=OFF -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc \
          -DCMAKE_CXX_FLAGS="$1" -DCMAKE_EXE_LINKER_FLAGS="$2" >/dev/null
}

# Games away from the seeds the balance page and the measurements use, by the shipped plans and
# the built-in players: the search's games are plans of the same orders.
train() {
    local sim=$1
    cd "$root"
    for seed in 11 12; do
        for plan in docs/strategies/best-1.txt docs/strategies/best-2.txt \
                    docs/strategies/hand-every-kind.txt mixed lasers hasty novice; do
            echo "$plan $seed $("$sim" --strategy "$plan" --seed "$seed" --waves 30 --result-only |
                                tr '\n' ' ')"
        done
    done
}

rm -rf "$profile"
configure "-fprofile-generate -fprofile-update=single -fprofile-dir=$profile" "-fprofile-generate"
cmake --build "$build" -j"$jobs" --target groundline-sim >/dev/null
train "$build/groundline-sim" >"$build/trained.txt"

# Functions the training never ran keep the ordinary optimisation.
configure "-fprofile-use -fprofile-partial-training -Wno-missing-profile -fprofile-dir=$profile" ""
cmake --build "$build" -j"$jobs" --target groundline-sim groundline-search >/dev/null
train "$build/groundline-sim" >"$build/checked.txt"
if ! cmp -s "$build/trained.txt" "$build/checked.txt"; then
    echo "the optimised groundline-sim plays other games than the counting one:" >&2
    diff "$build/trained.txt" "$build/checked.txt" >&2 || true
    exit 1
fi
echo "$build/groundline-sim"
echo "$build/groundline-search"
