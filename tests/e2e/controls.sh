#!/usr/bin/env bash
# The controls: tool tips over the build buttons, placing mode entered by a click on an
# affordable button and left again by a right click, the in-game menu on Escape with its sound
# switch, and "Quit Game" ending the program with exit code 0.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data_calm)
start_game "$dir"
wait_for_window

money=$(string_int "$dir" StartingMoney)
health=$(string_int "$dir" StartingHealth)
spacing=$(string_int "$dir" ButtonSpacing)
hud=(hud "$money" "$health" "$health")
tip_x=$((317 - 3 * spacing))
# The strip left of the build buttons, below the ground line: the HUD and the tool tips.
strip=(0 214 $((300 - 2 * spacing)) 26)
tip() { # tip NAME TYPE: the tool tip of build button TYPE (0-based)
    local n=$(($2 + 1)) name value font=main
    name=$(string_value "$dir" "Tower$n.Name")
    value=$(string_int "$dir" "Tower$n.Value")
    ((money < value)) && font=mainred
    render_expected "$1" "${strip[@]}" "${hud[@]}" \
        text $font right $tip_x 220 "$name - \$$value" \
        text small right $tip_x 230 "$(string_value "$dir" "Tower$n.Description")"
}
render_expected controls_no_tip "${strip[@]}" "${hud[@]}"
tip controls_tip_laser 0
tip controls_tip_missile 1
# Placing mode puts its text right of buttons 1 and 2, which it hides.
laser_name=$(string_value "$dir" Tower1.Name)
laser_value=$(string_int "$dir" Tower1.Value)
placing_strip=(0 214 300 26)
render_expected controls_placing "${placing_strip[@]}" "${hud[@]}" \
    text main right $((317 - spacing)) 220 "Placing $laser_name - \$$laser_value" \
    text small right $((317 - spacing)) 230 "Right click to cancel"

button_x() { echo $((300 - $1 * spacing + 9)); } # the middle of build button i
button_y=229

move_to 160 180
shows controls_idle controls_no_tip "${strip[@]}" || fail "a tool tip shows with the mouse on the sky"
move_to "$(button_x 0)" $button_y
shows controls_hover_laser controls_tip_laser "${strip[@]}" ||
    fail "no laser turret tool tip over build button 0 (see controls_hover_laser.png)"
move_to "$(button_x 1)" $button_y
shows controls_hover_missile controls_tip_missile "${strip[@]}" ||
    fail "no missile turret tool tip over build button 1 (see controls_hover_missile.png)"

click_at "$(button_x 0)" $button_y
shows controls_placing_on controls_placing "${placing_strip[@]}" ||
    fail "a click on build button 0 does not show the placing text (see controls_placing_on.png)"
click_at 160 180 3
shows controls_placing_off controls_no_tip "${strip[@]}" ||
    fail "a right click does not leave placing mode, or it cost money (see controls_placing_off.png)"

# A click as short as a quick touchpad tap must count as well.
move_to "$(button_x 0)" $button_y
xdotool click 1
shows controls_tap controls_placing "${placing_strip[@]}" ||
    fail "a quick click on build button 0 is not seen (see controls_tap.png)"
click_at 160 180 3
shows controls_tap_off controls_no_tip "${strip[@]}" || fail "the right click after a tap does not cancel"

# The in-game menu: its texts over the play field, no buttons in the corner.
menu=(100 85 120 55)
menu_texts() { # menu_texts NAME SOUND_FONT SOUND_TEXT QUIT_FONT
    render_expected "$1" "${menu[@]}" --blank text small centre 160 88 Menu \
        text main centre 160 100 Settings text "$2" centre 160 110 "$3" text main centre 160 120 "Start Over" \
        text "$4" centre 160 130 "Quit Game"
}
menu_texts controls_menu main "Sound: On" main
menu_texts controls_menu_quit_hover main "Sound: On" mainred
menu_texts controls_menu_sound_off mainred "Sound: Off" main
menu_texts controls_menu_sound_on mainred "Sound: On" main
render_expected controls_corner_empty 260 218 60 22

press_escape
shows controls_menu_open controls_menu "${menu[@]}" || fail "Escape does not open the menu (see controls_menu_open.png)"
n=$(mismatch "$SHOTS/controls_menu_open.png" "$SHOTS/controls_corner_empty.png" 260 218 60 22)
((n == 0)) || fail "the build buttons stay on screen while the menu is open"

click_at 160 113
shows controls_sound_off controls_menu_sound_off "${menu[@]}" || fail "the sound item does not switch to Off"
click_at 160 113
shows controls_sound_on controls_menu_sound_on "${menu[@]}" || fail "the sound item does not switch back to On"

move_to 160 133
shows controls_menu_quit controls_menu_quit_hover "${menu[@]}" || fail "\"Quit Game\" is not red under the mouse"
click_at 160 133
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after \"Quit Game\", expected 0"
