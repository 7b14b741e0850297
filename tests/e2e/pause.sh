#!/usr/bin/env bash
# P pauses: "Paused" shows above the clouds and nothing on the screen moves; P again resumes and
# the clouds drift on. (The menu during the pause is checked by the unit tests.)
source "$(dirname "$0")/lib.sh"

dir=$(copy_data_calm)
start_game "$dir"
wait_for_window
move_to 160 180
render_expected pause_text 100 24 120 16 --blank text main centre 160 30 Paused

# The clouds drift a pixel or more in a second and a half.
moving() { # moving NAME: two looks at the sky 1.5 s apart differ
    shot "$1_a"
    sleep 1.5
    shot "$1_b"
    (($(pixels_differing "$SHOTS/$1_a.png" "$SHOTS/$1_b.png") > 0))
}
moving pause_before || fail "the clouds do not move before the pause"

press_key p
shows pause_on pause_text 100 24 120 16 || fail "P does not show \"Paused\""
! moving pause_still || fail "the picture still changes while paused"

press_key p
sleep 0.3
shot pause_off
(($(mismatch "$SHOTS/pause_off.png" "$SHOTS/pause_text.png" 100 24 120 16) > 0)) ||
    fail "\"Paused\" stays after the second P"
moving pause_after || fail "the clouds do not move again after the second P"

"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
