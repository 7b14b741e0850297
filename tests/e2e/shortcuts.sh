#!/usr/bin/env bash
# The keyboard's shortcuts as a player meets them: 2 does nothing for a tower that is not for
# sale, 1 and 3 place towers as their build buttons do, a click on the bottom panel while placing
# buys nothing, R and Delete repair and demolish the selected tower as its menu's buttons do, N
# starts the first wave at once and the money rises by the bonus, H shows the help card over the
# stopped field and any key closes it, and the Escape menu stops the field too.
source "$(dirname "$0")/lib.sh"

GAME_LIMIT=90
dir=$(copy_data)
# A calm of a million seconds at a thousandth of a dollar a second: calling the wave within the
# first 1,000 seconds pays exactly 999.
printf '%s\n' TimeBetweenWaves=1000000 EarlyWaveBonus=0.001 StartingMoney=150 \
    Tower2.Available=0 >>"$dir/data/strings.txt"
start_game "$dir"
wait_for_window
move_to 160 100

health=$(string_int "$dir" StartingHealth)
spacing=$(string_int "$dir" ButtonSpacing)
baseline=$(string_int "$dir" TowerBaseline)
laser=$(string_int "$dir" Tower1.Value)
tesla=$(string_int "$dir" Tower3.Value)
money_strip=(0 228 66 12)
money_is() { # money_is AMOUNT [SECONDS]: the HUD shows that money
    render_expected "shortcuts_money_$1" "${money_strip[@]}" hud "$1" "$health" "$health"
    shows "shortcuts_at_$1" "shortcuts_money_$1" "${money_strip[@]}" "${2:-3}"
}
placing_strip=(100 218 200 22)
render_expected shortcuts_placing "${placing_strip[@]}" --blank text main right \
    $((317 - spacing)) 220 "Placing $(string_value "$dir" Tower1.Name) - \$$laser"

press_key 2
sleep 0.3
shot shortcuts_two
(($(mismatch "$SHOTS/shortcuts_two.png" "$SHOTS/shortcuts_placing.png" "${placing_strip[@]}") > 0)) ||
    fail "2 starts placing a tower that is not for sale"
press_key 1
shows shortcuts_one shortcuts_placing "${placing_strip[@]}" || fail "1 does not start placing a laser turret"
click_at 180 226 # on the placing text, below the field
sleep 0.3
money_is 150 || fail "a click on the bottom panel bought something"
click_at 100 150
money_is $((150 - laser)) || fail "the laser turret placed after 1 was not paid for"
click_at 100 150 3
press_key 3
click_at 200 150
money=$((150 - laser - tesla))
money_is $money || fail "3 and a click did not buy a tesla coil"

click_at 100 $((baseline - 2)) # the laser turret's menu
press_key r # at full health a repair costs nothing, as the menu's "Repair - \$0" says
sleep 0.3
money_is $money || fail "R on an undamaged tower took money"
press_key Delete
money=$((money + laser / 2))
money_is $money || fail "Delete did not demolish the selected tower for half its price"

press_key n
money=$((money + 999))
money_is $money 5 || fail "N did not pay 999 for the calm skipped"

render_expected shortcuts_help 100 30 120 14 --blank text main centre 160 34 Controls
press_key h
shows shortcuts_help_on shortcuts_help 100 30 120 14 || fail "H does not show the help card"
still() { # still NAME: two looks at the whole window 1.5 s apart are the same
    shot "$1_a"
    sleep 1.5
    shot "$1_b"
    (($(pixels_differing "$SHOTS/$1_a.png" "$SHOTS/$1_b.png") == 0))
}
still shortcuts_help_still || fail "the field moves under the help card"
press_key x
sleep 0.3
shot shortcuts_help_off
(($(mismatch "$SHOTS/shortcuts_help_off.png" "$SHOTS/shortcuts_help.png" 100 30 120 14) > 0)) ||
    fail "a key does not close the help card"
! still shortcuts_moving || fail "the field does not move again after the help card"

press_escape
still shortcuts_menu_still || fail "the field moves while the Escape menu is open"
press_escape
! still shortcuts_menu_closed || fail "the field does not move again after the menu"

"$CLOSE_WINDOW" "$WID"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
