#!/usr/bin/env bash
# Another window in front of the game takes the keyboard: the field stops as with P, shows
# "Paused" and stays stopped after the other window has gone, until P. With the setting off
# (pause_on_focus_loss=off, kept in the settings file) the game plays on behind the window.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data_calm)
render_expected focus_paused 100 24 120 16 --blank text main centre 160 30 Paused
moving() { # moving NAME: two looks at the sky 1.5 s apart differ
    shot "$1_a"
    sleep 1.5
    shot "$1_b"
    (($(pixels_differing "$SHOTS/$1_a.png" "$SHOTS/$1_b.png") > 0))
}
cover() { # cover: another window over the game's, given the keyboard, then gone again
    xlogo -geometry 300x200+40+40 &
    local pid=$! other i
    for ((i = 0; i < 50; ++i)); do
        other=$(xdotool search --name "^xlogo$" 2>/dev/null | head -n 1)
        [[ -n $other ]] && break
        sleep 0.1
    done
    [[ -n $other ]] || fail "the other window did not appear"
    xdotool windowfocus "$other" 2>/dev/null
    sleep 1
    kill "$pid"
    wait "$pid" 2>/dev/null
    sleep 0.5
}

start_game "$dir"
wait_for_window
move_to 160 180
moving focus_before || fail "the clouds do not move before another window comes in front"
cover
shows focus_on focus_paused 100 24 120 16 || fail "losing the keyboard does not show \"Paused\""
! moving focus_still || fail "the field goes on while the window is left"
press_key p
moving focus_after || fail "P does not resume the field after the window was left"
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"

mkdir -p "$XDG_CONFIG_HOME/groundline"
printf 'sound=on\npause_on_focus_loss=off\n' >"$XDG_CONFIG_HOME/groundline/settings.txt"
start_game "$dir"
wait_for_window
move_to 160 180
cover
moving focus_off || fail "with pause_on_focus_loss=off the field stops when the window is left"
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ ! -s $GAME_ERR ]] || fail "printed on stderr: $(head -c 200 "$GAME_ERR")"
