#!/usr/bin/env bash
# --scale 1 and --scale 3: the window is 320x240 and 960x720, shows the picture at that size, and
# the mouse lands where the player points: a click on build button 0 starts placing a laser
# turret, a right click cancels it.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data_calm)
money=$(string_int "$dir" StartingMoney)
health=$(string_int "$dir" StartingHealth)
spacing=$(string_int "$dir" ButtonSpacing)
name=$(string_value "$dir" Tower1.Name)
value=$(string_int "$dir" Tower1.Value)
render_expected scale_idle 0 214 320 26 hud "$money" "$health" "$health" buildbar "$money"
render_expected scale_placing 0 214 300 26 hud "$money" "$health" "$health" \
    text main right $((317 - spacing)) 220 "Placing $name - \$$value" \
    text small right $((317 - spacing)) 230 "Right click to cancel"

for SCALE in 1 3; do
    start_game "$dir" --scale $SCALE
    wait_for_window
    wait_for_size "$((320 * SCALE))x$((240 * SCALE))"
    move_to 160 180
    shows scale${SCALE}_idle scale_idle 0 214 320 26 || fail "--scale $SCALE: the HUD and build bar differ"
    # The button's top row: one back-buffer pixel higher misses it.
    click_at 305 220
    shows scale${SCALE}_placing scale_placing 0 214 300 26 ||
        fail "--scale $SCALE: a click on build button 0 does not start placing"
    click_at 160 180 3
    shows scale${SCALE}_cancelled scale_idle 0 214 300 26 || fail "--scale $SCALE: the right click did not cancel"
    click_at 305 219
    shows scale${SCALE}_missed scale_idle 0 214 300 26 ||
        fail "--scale $SCALE: a click above build button 0 starts placing"
    "$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
    wait_for_exit 10
    [[ $GAME_CODE == 0 ]] || fail "--scale $SCALE: exit code $GAME_CODE after the close button"
done
