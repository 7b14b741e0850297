#!/usr/bin/env bash
# Starts and ends the real game many times under a private Xvfb while other X clients keep the
# server busy (x11perf drawing, xdpyinfo connecting, screenshots of the whole screen), and counts
# how each start ended. Every other start is ended by the window's close button, the others by
# SIGTERM; both are sent as soon as the window carries its title, which is while the game still
# loads its data, and a moment later for a third of the starts.
#
#   scripts/start-stress.sh [STARTS] [BUILD]     (defaults: 300, build)
#
# BUILD holds groundline and tests/close_window. Prints one line per start that did not end as
# asked (the close button: exit 0; SIGTERM: 143) and a summary; exits 1 when any start crashed,
# hung or failed. Not part of CI: it takes about a second a start.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
starts=${1:-300}
build=$(realpath "${2:-$root/build}")
game=$build/groundline
close_window=$build/tests/close_window
for tool in Xvfb xdotool x11perf xdpyinfo import; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 2; }
done
for file in "$game" "$close_window"; do
    [[ -x $file ]] || { echo "$file is not built" >&2; exit 2; }
done

source "$root/scripts/private-x.sh"
work=$(mktemp -d -t groundline-stress.XXXXXX)
xvfb=
busy=()
game_pid=
cleanup() {
    local pid
    for pid in $game_pid "${busy[@]}" $xvfb; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_private_xvfb || { echo "Xvfb did not start" >&2; exit 2; }
use_private_sound_and_files
mkdir -p "$work/run"
ln -s "$root/data" "$work/run/data"

# The other clients: each loop ends when its subshell is killed, after the command under way.
busy_loop() {
    while :; do "$@" >/dev/null 2>&1; done
}
busy_loop x11perf -repeat 1 -time 1 -rect100 -copywinwin100 &
busy+=($!)
busy_loop xdpyinfo &
busy+=($!)
busy_loop import -window root "$work/root.png" &
busy+=($!)

declare -A outcomes
crashed=0
for ((n = 1; n <= starts; ++n)); do
    (cd "$work/run" && exec timeout -k 5 60 "$game" >/dev/null 2>"$work/stderr") &
    game_pid=$!
    wid=
    for ((t = 0; t < 300; ++t)); do
        kill -0 "$game_pid" 2>/dev/null || break
        # The search is blind to case, and before the title is set the window carries the
        # program's name: only the exact title counts.
        wid=$(xdotool search --name '^Groundline$' 2>/dev/null | head -n 1)
        [[ -n $wid && $(xdotool getwindowname "$wid" 2>/dev/null) == Groundline ]] && break
        wid=
        sleep 0.02
    done
    ((n % 3 == 0)) && sleep 1
    if ((n % 2)); then
        how="close button"
        expected=0
        [[ -n $wid ]] && "$close_window" "$wid"
    else
        how=SIGTERM
        expected=143
        kill -TERM "$game_pid" 2>/dev/null
    fi
    # A start that does not end within 15 s is hung: its threads' stacks go to the report.
    for ((t = 0; t < 150; ++t)); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2>/dev/null; then
        pid=$(pgrep -P "$game_pid" | head -n 1)
        echo "start $n ($how): hung; its stacks:"
        [[ -n $pid ]] && command -v gdb >/dev/null &&
            gdb -batch -p "$pid" -ex 'thread apply all bt 15' 2>/dev/null | grep -E '^(#|Thread)'
        kill -KILL "$pid" 2>/dev/null
    fi
    wait "$game_pid"
    code=$?
    game_pid=
    outcomes["$how exit $code"]=$((${outcomes["$how exit $code"]:-0} + 1))
    if ((code != expected)); then
        echo "start $n ($how): exit $code $(head -c 200 "$work/stderr" | tr '\n' ' ')"
        crashed=$((crashed + 1))
    fi
done
for outcome in "${!outcomes[@]}"; do
    echo "$outcome: ${outcomes[$outcome]}"
done | sort
echo "$starts starts, $crashed not ended as asked"
((crashed == 0))
