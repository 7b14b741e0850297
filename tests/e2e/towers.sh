#!/usr/bin/env bash
# A tower's life through the mouse: bought from the build bar and placed on the ground line,
# its menu opened by a click on it, an upgrade bought, then demolished with an explosion. The
# money on screen must change by the tower's price, the upgrade's price and the refund of half
# the price at full health; the tool tips must quote those amounts.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data_calm)
start_game "$dir"
wait_for_window

money=$(string_int "$dir" StartingMoney)
health=$(string_int "$dir" StartingHealth)
spacing=$(string_int "$dir" ButtonSpacing)
baseline=$(string_int "$dir" TowerBaseline)
value=$(string_int "$dir" Tower1.Value)
tower_health=$(string_int "$dir" Tower1.Health)
entries=$(($(string_int "$dir" Tower1.Upgrades) + 2))
upgrade=$(string_value "$dir" Tower1.Upgrade1.Name)
levels=$(string_int "$dir" Tower1.Upgrade1.Levels)
price1=$(string_int "$dir" Tower1.Upgrade1.Level1.Value)
price2=$(string_int "$dir" Tower1.Upgrade1.Level2.Value)
((money >= value + price1)) || fail "the data set's starting money cannot pay a laser turret and its first upgrade"
((levels >= 2)) || fail "the laser turret's first upgrade needs two levels for this scenario"

placed=$((money - value))
upgraded=$((placed - price1))
# The refund halves the price first, then scales by health (here full).
refund=$((value / 2 * tower_health / tower_health)) # shellcheck disable=SC2017
sold=$((upgraded + refund))
log "money $money -> $placed -> $upgraded -> $sold"

money_strip=(0 228 66 12)
money_is() { render_expected "$1" "${money_strip[@]}" hud "$2" "$health" "$health"; }
money_is towers_money_start "$money"
money_is towers_money_placed "$placed"
money_is towers_money_upgraded "$upgraded"
money_is towers_money_sold "$sold"

# The tower's menu puts its tool tips left of its buttons; the strip starts below the selection
# corners, which reach a little under the ground line.
tip_x=$((317 - entries * spacing))
menu_strip=(0 $((baseline + 4)) $((300 - (entries - 1) * spacing)) $((240 - baseline - 4)))
menu_tip() { # menu_tip NAME MONEY FONT TITLE DESCRIPTION
    render_expected "$1" "${menu_strip[@]}" hud "$2" "$health" "$health" \
        text "$3" right $tip_x 220 "$4" text small right $tip_x 230 "$5"
}
# An upgrade's second line gives the time between bolts now and after the level.
period=$(string_value "$dir" Tower1.FreqBase)
step=$(string_value "$dir" Tower1.Upgrade1.Level1.FreqMod)
bolts() { awk -v p="$period" -v s="$step" -v n="$1" 'BEGIN { printf "Bolt every %.2f s \177 %.2f s", p + n * s, p + (n + 1) * s }'; }
menu_tip towers_tip_demolish "$placed" main "Demolish - +\$$refund" "Recover some cash!"
menu_tip towers_tip_repair "$placed" main "Repair - \$0" "Fix her up!"
menu_tip towers_tip_upgrade "$placed" main "$upgrade (Lv 1) - \$$price1" "$(bolts 0)"
font=main
((price2 > upgraded)) && font=mainred
menu_tip towers_tip_upgraded "$upgraded" $font "$upgrade (Lv 2) - \$$price2" "$(bolts 1)"
menu_tip towers_tip_demolish_later "$upgraded" main "Demolish - +\$$refund" "Recover some cash!"

# Where the tower will stand, and the same ground without it.
tower_x=160
site=($((tower_x - 16)) $((baseline - 32)) 32 32)
render_expected towers_empty_site "${site[@]}"
site_changed() { # site_changed SHOT: pixels of the site that are not the bare background
    mismatch "$SHOTS/$1.png" "$SHOTS/towers_empty_site.png" "${site[@]}"
}
entry() { echo $((300 - $1 * spacing + 9)); } # the middle of button or menu entry i
button_y=229

shows towers_start towers_money_start "${money_strip[@]}" || fail "the starting money is not shown"

# Buy: the button, then the ground; with money left for another the game stays in placing
# mode, and a right click ends it.
click_at "$(entry 0)" $button_y
click_at $tower_x 150
shows towers_placed_money towers_money_placed "${money_strip[@]}" ||
    fail "placing a laser turret does not leave \$$placed on screen (see towers_placed_money.png)"
click_at $tower_x 100 3
move_to $tower_x 100
shot towers_placed
n=$(site_changed towers_placed)
((n > 40)) || fail "no tower is drawn where it was placed ($n pixels changed)"

# The tower's menu, by a click on the tower.
click_at $tower_x $((baseline - 4))
shot towers_menu
move_to "$(entry 0)" $button_y
shows towers_menu_demolish towers_tip_demolish "${menu_strip[@]}" ||
    fail "no tower menu with the \"Demolish\" tool tip quoting +\$$refund (see towers_menu_demolish.png)"
move_to "$(entry 1)" $button_y
shows towers_menu_repair towers_tip_repair "${menu_strip[@]}" ||
    fail "the \"Repair\" tool tip does not quote \$0 for an undamaged tower"
move_to "$(entry 2)" $button_y
shows towers_menu_upgrade towers_tip_upgrade "${menu_strip[@]}" ||
    fail "the upgrade's tool tip does not quote level 1 at \$$price1"

click_at "$(entry 2)" $button_y
shows towers_upgraded towers_tip_upgraded "${menu_strip[@]}" ||
    fail "after buying the upgrade the money is not \$$upgraded or the tip does not offer level 2 (see towers_upgraded.png)"

move_to "$(entry 0)" $button_y
shows towers_menu_demolish_later towers_tip_demolish_later "${menu_strip[@]}" ||
    fail "the refund quoted after the upgrade is not +\$$refund"
click_at "$(entry 0)" $button_y
shot towers_explosion
n=$(site_changed towers_explosion)
((n > 40)) || fail "no explosion where the tower stood ($n pixels changed)"
move_to $tower_x 100
shows towers_sold towers_money_sold "${money_strip[@]}" 3 ||
    fail "demolishing does not leave \$$sold on screen (see towers_sold.png)"
# Once the smoke clears the ground is bare again.
shows towers_gone towers_empty_site "${site[@]}" 6 || fail "the tower's place does not clear after the demolition"

"$CLOSE_WINDOW" "$WID"
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
