#!/usr/bin/env bash
# How big a replay file grows per minute of play in the window: records SECONDS (default 60) of
# play under Xvfb with the mouse always moving and a click now and then, and prints the bytes
# written per minute. Needs Xvfb and xdotool (scripts/install-deps.sh).
#
#   bash bench/replay_size.sh BUILD_DIR [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1")
seconds=${2:-60}
work=$(mktemp -d /tmp/groundline-replay-size.XXXXXX)
xvfb=
game=
cleanup() {
    local pid
    for pid in $game $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for ((i = 0; i < 100; ++i)); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=:$(head -n 1 "$work/display")
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/alsa.conf"
export ALSA_CONFIG_PATH=$work/alsa.conf

(cd "$root" && exec timeout -k 2 $((seconds + 30)) "$build/groundline" --record "$work/play.replay" \
    >"$work/out" 2>&1) &
game=$!
wid=$(timeout 15 xdotool search --sync --name '^Groundline$' | head -n 1)
# The window is mapped before it is resized and shown; wait until it is the game's size.
for ((i = 0; i < 100; ++i)); do
    [[ $(xdotool getwindowgeometry "$wid" 2>/dev/null) == *"640x480"* ]] && break
    sleep 0.1
done
sleep 1
RANDOM=7
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
    xdotool mousemove --window "$wid" $((RANDOM % 640)) $((RANDOM % 440)) 2>/dev/null || true
    if ((RANDOM % 10 == 0)); then
        xdotool mousedown 1
        sleep 0.05
        xdotool mouseup 1
    fi
    sleep 0.1
done
"$build/tests/close_window" "$wid"
wait "$game"
game=
bytes=$(stat -c %s "$work/play.replay")
zcat "$work/play.replay" | awk -v bytes="$bytes" '
    { raw += length($0) + 1 }
    $1 == "*" { t += last * $2; next }
    $1 == "end" { frames = $2; next }
    NF >= 4 && $1 ~ /^[0-9]+$/ { t += $1; last = $1 }
    END {
        m = t / 60e6
        printf "recorded %d frames, %.1f s of play, in %d bytes (%d as text)\n", frames, t / 1e6, bytes, raw
        printf "per minute of play: %.1f KB compressed, %.1f KB as text\n", bytes / m / 1024, raw / m / 1024
    }'
