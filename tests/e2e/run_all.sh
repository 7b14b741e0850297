#!/usr/bin/env bash
# Plays the real game in a virtual X display and checks what a player sees and gets: exit codes,
# the window, the screen, the controls, the towers' menu, the command line, the pause, the files
# kept between runs and the installed game.
#
#   run_all.sh GAME CLOSE_WINDOW SOURCE_DIR SHOT_DIR [TEXT_PROBE [SIM]]
#
# GAME is the groundline binary, CLOSE_WINDOW the WM_DELETE_WINDOW client, SOURCE_DIR the project
# root (its data/ is the data set under test), SHOT_DIR receives every screenshot and a log per
# scenario. TEXT_PROBE defaults to text_probe beside CLOSE_WINDOW, SIM to groundline-sim beside
# GAME. GAME must sit at the top of
# its build tree (the installed scenario installs that tree). Prints one line per scenario and
# "N passed, M failed"; exits non-zero on any failure.

set -u

if (($# < 4)); then
    echo "usage: $0 GAME CLOSE_WINDOW SOURCE_DIR SHOT_DIR [TEXT_PROBE [SIM]]" >&2
    exit 2
fi
E2E_DIR=$(cd "$(dirname "$0")" && pwd)
GAME=$(realpath "$1")
CLOSE_WINDOW=$(realpath "$2")
SRC=$(realpath "$3")
mkdir -p "$4"
SHOTS=$(realpath "$4")
PROBE=$(realpath "${5:-$(dirname "$CLOSE_WINDOW")/text_probe}")
SIM=$(realpath "${6:-$(dirname "$GAME")/groundline-sim}")

# E2E_SCENARIOS="a b" runs only those.
ALL_SCENARIOS="no_strings missing_file window close_button controls towers invaders shots options"
ALL_SCENARIOS+=" scale pause kept installed boss_wave replay random_player speed shortcuts hud"
ALL_SCENARIOS+=" resume focus kinds settings story"
read -r -a SCENARIOS <<<"${E2E_SCENARIOS:-$ALL_SCENARIOS}"
declare -A TITLES=(
    [no_strings]="without strings.txt: exit 1, silent; one line for a folder as strings.txt or --data"
    [missing_file]="without data/bg.mz: exit 2, one line naming it"
    [window]="the window, its doubled picture, sky, clouds, HUD and build bar"
    [close_button]="the close button ends the game with exit 0"
    [controls]="tool tips, placing mode, right click, the Escape menu, Quit Game"
    [towers]="place, select, upgrade and demolish a tower; the money follows"
    [invaders]="a wave enters, landings cost health, the grey game-over screen, Start Over"
    [shots]="bolts, homing missiles with their trails and sparks against a wave; the money rises"
    [options]="--help, --version, unknown and bad options, --data and --wave"
    [scale]="--scale 1 and 3: the window's size and a click on the right button"
    [pause]="P: \"Paused\", nothing moves, P again resumes"
    [focus]="another window in front pauses the field until P; not with the setting off"
    [hud]="wave and countdown, see-through ghost and tesla reach, upgrade numbers, danger glow, tower bars"
    [kept]="sound switch and best result kept between runs; a corrupt file costs one line"
    [installed]="installed into a temporary prefix and started from another folder"
    [boss_wave]="--wave 10: the master orb arrives with its health bar, which shrinks under fire"
    [replay]="a play-through recorded in the window (2x, an early wave) replays to the same digest, headless and in the window"
    [random_player]="2,000 random clicks, drags, right clicks and keys; Quit Game ends with 0"
    [speed]="F and the speed button: the formation marches twice as far at 2x in the same time"
    [resume]="the start screen's levels; quit in wave 3, \"Continue (wave 3)\" back in wave 3 with the same towers; \"Start Over\" offers the levels again"
    [kinds]="--wave 8: the next wave's kinds by the countdown, every kind in the formation, the new kind's notice"
    [settings]="the Settings page; the volume lowered shows and is kept across a restart"
    [story]="one laser bought, the base lost at the first landing: the game-over screen tells the story"
    [shortcuts]="N pays for the calm skipped; 1/2/3, R, Delete; the panel buys nothing; help card; menu stops"
)

passed=0
failed=0
report() { # report NAME OK|FAIL [REASON]
    if [[ $2 == OK ]]; then
        echo "PASS $1 (${TITLES[$1]})"
        passed=$((passed + 1))
    else
        echo "FAIL $1 (${TITLES[$1]}): $3"
        failed=$((failed + 1))
    fi
}
fail_all() {
    local s
    for s in "${SCENARIOS[@]}"; do
        report "$s" FAIL "$1"
    done
    echo "$passed passed, $failed failed"
    exit 1
}

for tool in Xvfb xdotool import convert compare identify timeout; do
    command -v "$tool" >/dev/null || fail_all "$tool is not installed"
done
for file in "$GAME" "$CLOSE_WINDOW" "$PROBE" "$SIM"; do
    [[ -x $file ]] || fail_all "$file is not built"
done
[[ -f $SRC/data/strings.txt ]] || fail_all "$SRC/data has no strings.txt"

WORK=$(mktemp -d -t groundline-e2e.XXXXXX)
XVFB_PID=
SCENARIO_PID=
cleanup() {
    # A scenario stops its own game when it ends, also when it is interrupted.
    if [[ -n $SCENARIO_PID ]]; then
        kill "$SCENARIO_PID" 2>/dev/null
        wait "$SCENARIO_PID" 2>/dev/null
    fi
    if [[ -n $XVFB_PID ]]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display of our own: Xvfb picks a free number and writes it to the descriptor we give it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>"$SHOTS/xvfb.log" &
XVFB_PID=$!
for ((i = 0; i < 100; ++i)); do
    [[ -s $WORK/display ]] && break
    sleep 0.05
done
[[ -s $WORK/display ]] || fail_all "Xvfb did not start"
DISPLAY=:$(head -n 1 "$WORK/display")

# Sound through the real driver into a null device: no card needed and nothing on stderr, so
# the scenarios can insist on a silent start.
cat >"$WORK/alsa.conf" <<'EOF'
pcm.!default { type null }
ctl.!default { type hw card 0 }
EOF
ALSA_CONFIG_PATH=$WORK/alsa.conf

# The game keeps its settings and best result under these; never the tester's own.
XDG_CONFIG_HOME=$WORK/config
XDG_DATA_HOME=$WORK/share

export GAME SIM CLOSE_WINDOW PROBE SRC SHOTS WORK DISPLAY ALSA_CONFIG_PATH XDG_CONFIG_HOME XDG_DATA_HOME
rm -f "$SHOTS"/*.png "$SHOTS"/*.log

for s in "${SCENARIOS[@]}"; do
    # In the background, so that an interrupt reaches our trap at once.
    bash "$E2E_DIR/$s.sh" >"$WORK/$s.reason" 2>"$SHOTS/$s.log" &
    SCENARIO_PID=$!
    wait "$SCENARIO_PID"
    status=$?
    SCENARIO_PID=
    if ((status == 0)); then
        report "$s" OK
    else
        reason=$(head -n 1 "$WORK/$s.reason")
        report "$s" FAIL "${reason:-exit status $status, see $SHOTS/$s.log}"
    fi
done

echo "$passed passed, $failed failed"
((failed == 0))
