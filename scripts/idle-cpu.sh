#!/usr/bin/env bash
# Measures the processor time the real game takes while it sits idle in its window: the calm
# field (no wave comes) at the shipped 100 steps a second, under a private Xvfb, with sound into
# a null device. Prints the share of one core the game's process used over the measured time,
# and the frame steps over that time (mean and 99th percentile, from a recording of the run).
#
#   scripts/idle-cpu.sh [-s SECONDS] [-r ROUNDS] [GAME...]
#
# GAME defaults to build/groundline, SECONDS to 20, ROUNDS to 1. Given two games (say, a build
# of main and one of a branch), it runs them in turn, ROUNDS times each, alternating, so that
# both see the same load on the machine: compare them within one run of the script.
#
# A measurement, not a test: the figure depends on the machine and on what else runs on it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=20
rounds=1
while getopts s:r: option; do
    case $option in
    s) seconds=$OPTARG ;;
    r) rounds=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
(($# > 0)) || set -- "$root/build/groundline"
# Sends the window's close button (built with the end-to-end tests).
close_window=$root/build/tests/close_window
games=()
for game in "$@"; do games+=("$(realpath "$game")"); done

source "$root/scripts/private-x.sh"
work=$(mktemp -d -t groundline-idle.XXXXXX)
xvfb=
game_pid=
stop() {
    for pid in $game_pid $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    game_pid=
    xvfb=
}
cleanup() {
    local status=$?
    stop
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

use_private_sound_and_files
cp -r "$root/data" "$work/data"
echo 'TimeBetweenWaves=100000' >>"$work/data/strings.txt"

# One measured run of a game: prints its share of a core and its frame steps.
measure() {
    local game=$1
    rm -f "$work/steps.gz"
    start_private_xvfb || { echo "Xvfb did not start" >&2; exit 1; }
    (cd "$work" && exec "$game" --record "$work/steps.gz" >/dev/null 2>&1) &
    game_pid=$!
    sleep 4 # start-up and the first frames are not idle
    [[ -r /proc/$game_pid/stat ]] || { echo "$game did not start" >&2; exit 1; }

    ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
    local t0 s0 t1 s1 frames0 frames1
    t0=$(ticks)
    s0=$(date +%s.%N)
    sleep "$seconds"
    t1=$(ticks)
    s1=$(date +%s.%N)
    # Closed through its close button, the game ends its recording; killed, it would lose it.
    local wid
    wid=$(timeout 5 xdotool search --name '^Groundline$' 2>/dev/null | head -n 1) || true
    if [[ -n $wid && -x $close_window ]]; then
        "$close_window" "$wid" >/dev/null 2>&1 || true
        timeout 10 tail --pid="$game_pid" -f /dev/null || true
    fi
    stop
    # The recording holds one step in microseconds per frame ("* N" repeats the last N times);
    # the frames of the measured time are the last ones, as many as fit in it.
    zcat "$work/steps.gz" 2>/dev/null | awk -v s0="$s0" -v s1="$s1" '
        $1 == "*" { for (i = 0; i < $2; ++i) s[n++] = last; next }
        $1 ~ /^[0-9]+$/ && NF >= 4 { last = $1; s[n++] = $1 }
        END {
            total = 0
            for (i = n - 1; i >= 0 && total < (s1 - s0) * 1e6; --i) { total += s[i]; print s[i] }
        }' | sort -n | awk '{ v[n++] = $1; total += $1 }
        END {
            if (n > 0)
                printf "steps: %d, mean %.3f ms, 99th percentile %.3f ms\n", n, total / n / 1000,
                       v[int(0.99 * (n - 1) + 0.5)] / 1000
        }' >"$work/steps.txt" || true
    awk -v t="$((t1 - t0))" -v hz="$(getconf CLK_TCK)" -v s0="$s0" -v s1="$s1" -v game="$game" \
        -v steps="$(cat "$work/steps.txt")" \
        'BEGIN { printf "%s: %.1f %% of one core over %.1f s; %s\n", game, 100 * t / hz / (s1 - s0), s1 - s0, steps }'
}

for ((round = 0; round < rounds; ++round)); do
    for game in "${games[@]}"; do
        measure "$game"
    done
done
