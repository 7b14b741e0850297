#!/usr/bin/env bash
# Measures the processor time the real game takes while it sits idle in its window: the calm
# field (no wave comes) at the shipped 100 steps a second, under a private Xvfb, with sound into
# a null device. Prints the share of one core the game's process used over the measured time.
#
#   scripts/idle-cpu.sh [GAME] [SECONDS]     (defaults: build/groundline, 20)
#
# A measurement, not a test: the figure depends on the machine and on what else runs on it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=$(realpath "${1:-$root/build/groundline}")
seconds=${2:-20}

work=$(mktemp -d -t groundline-idle.XXXXXX)
xvfb=
game_pid=
cleanup() {
    local status=$?
    for pid in $game_pid $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for ((i = 0; i < 100; ++i)); do
    [[ -s $work/display ]] && break
    sleep 0.05
done
export DISPLAY=:$(head -n 1 "$work/display")
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/alsa.conf"
export ALSA_CONFIG_PATH=$work/alsa.conf XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share

cp -r "$root/data" "$work/data"
echo 'TimeBetweenWaves=100000' >>"$work/data/strings.txt"
(cd "$work" && exec "$game" >/dev/null 2>&1) &
game_pid=$!
sleep 4 # start-up and the first frames are not idle
[[ -r /proc/$game_pid/stat ]] || { echo "the game did not start" >&2; exit 1; }

ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
t0=$(ticks)
s0=$(date +%s.%N)
sleep "$seconds"
t1=$(ticks)
s1=$(date +%s.%N)
awk -v t="$((t1 - t0))" -v hz="$(getconf CLK_TCK)" -v s0="$s0" -v s1="$s1" \
    'BEGIN { printf "idle game: %.1f %% of one core over %.1f s\n", 100 * t / hz / (s1 - s0), s1 - s0 }'
