#!/usr/bin/env bash
# What the player is told as a game goes on: the wave number and the countdown in the HUD, the
# see-through tower and the tesla coil's reach while placing, an upgrade's tool tip with its
# numbers now and after, the ground line glowing red as the formation nears, and the small
# health bars of towers that the formation's bullets have hit. Lasers and coils deal no damage
# here, so the formation lives long enough to come low and to hit the towers.
source "$(dirname "$0")/lib.sh"

GAME_LIMIT=90
dir=$(copy_data)
printf '%s\n' StartingMoney=100000 StartingHealth=50 TimeBetweenWaves=5 Tower1.DamageBase=0 \
    Tower3.DamageBase=0 Tower1.Health=8 Wave1SpeedBase=40 Wave1SpeedMax=40 DangerSeconds=4 \
    >>"$dir/data/strings.txt"
start_game "$dir" --wave 12
wait_for_window
move_to 160 150

spacing=$(string_int "$dir" ButtonSpacing)
baseline=$(string_int "$dir" TowerBaseline)
entry() { echo $((300 - $1 * spacing + 9)); }
button_y=229

# The wave and the seconds to it, whichever second the shot catches.
wave_strip=(100 218 70 22)
for s in 1 2 3 4 5; do
    render_expected hud_wave_$s "${wave_strip[@]}" --blank text main left 102 220 "Wave 12" \
        text small left 102 230 "Starts in $s s"
done
seen=
for ((i = 0; i < 10; ++i)); do
    shot hud_countdown
    for s in 5 4 3 2 1; do
        n=$(mismatch "$SHOTS/hud_countdown.png" "$SHOTS/hud_wave_$s.png" "${wave_strip[@]}")
        ((n == 0)) && seen=$s && break
    done
    [[ -n $seen ]] && break
done
[[ -n $seen ]] || fail "the HUD does not show \"Wave 12\" with a countdown (see hud_countdown.png)"
log "countdown seen at $seen s"

# The ground just above the line: red means the danger glow, blue the night.
redness() { # redness SHOT: mean red minus mean blue, in thousandths
    convert "$SHOTS/$1.png" -sample '320x240!' -crop "300x6+10+$((baseline - 6))" +repage \
        -format '%[fx:int(1000*(mean.r-mean.b))]' info:
}
calm=$(redness hud_countdown)
((calm < 0)) || fail "the ground line is red before the wave ($calm)"

# On a loaded machine a click can be lost: each one that matters is made again until the screen
# shows what it does (every one of them does nothing more when made twice).

# Placing a tesla coil: a see-through tower and the dotted circle of its reach.
coil_x=40
for ((i = 0; i < 12; ++i)); do
    ((i % 4 == 0)) && click_at "$(entry 2)" $button_y
    move_to $coil_x 150
    shot hud_ghost
    dots=$(count_colours "$SHOTS/hud_ghost.png" 0 0 320 $baseline 150,200,255)
    ((dots > 50)) && break
    sleep 0.3
done
((dots > 50)) || fail "no dotted reach circle while placing a tesla coil ($dots dots)"

# A tower built at X shows in SHOT (the ghost waits off it while the mouse stays there): its
# site differs from the empty ground the first shot saw.
built_at() { # built_at X SHOT
    local site=($(($1 - 7)) $((baseline - 24)) 14 24)
    crop_field "$SHOTS/hud_countdown.png" "${site[@]}" "$WORK/hud_empty_site.png"
    crop_field "$SHOTS/$2.png" "${site[@]}" "$WORK/$2_built_site.png"
    (($(pixels_differing "$WORK/hud_empty_site.png" "$WORK/$2_built_site.png") > 50))
}
site=($((coil_x - 7)) $((baseline - 24)) 14 24)
for ((i = 0; i < 4; ++i)); do
    click_at $coil_x 150
    sleep 0.3
    shot hud_coil
    built_at $coil_x hud_coil && break
done
built_at $coil_x hud_coil || fail "a click did not build the tesla coil (see hud_coil.png)"
crop_field "$SHOTS/hud_ghost.png" "${site[@]}" "$WORK/hud_ghost_site.png"
crop_field "$SHOTS/hud_coil.png" "${site[@]}" "$WORK/hud_coil_site.png"
n=$(pixels_differing "$WORK/hud_ghost_site.png" "$WORK/hud_coil_site.png")
((n > 100)) || fail "the placing tower looks like the built one ($n of 336 pixels differ)"
# Twice: a second right click does nothing, and a lost one would leave the coil for placing.
click_at $coil_x 150 3
click_at $coil_x 150 3

# A row of lasers for the bullets to hit; the first, whose tool tip is read, for certain.
for ((x = 80; x <= 300; x += 20)); do
    for ((i = 0; i < 4; ++i)); do
        click_at "$(entry 0)" $button_y
        click_at $x 150
        ((x > 80)) && break
        shot hud_laser
        built_at $x hud_laser && break
    done
    click_at $x 150 3
    click_at $x 150 3
done

# The first laser's Rapid Fire tool tip gives the time between bolts now and after.
period=$(string_value "$dir" Tower1.FreqBase)
step=$(string_value "$dir" Tower1.Upgrade1.Level1.FreqMod)
price=$(string_int "$dir" Tower1.Upgrade1.Level1.Value)
numbers=$(awk -v p="$period" -v s="$step" 'BEGIN { printf "Bolt every %.2f s \177 %.2f s", p, p + s }')
entries=$(($(string_int "$dir" Tower1.Upgrades) + 2))
tip_x=$((317 - entries * spacing))
tip_strip=(130 218 $((tip_x - 129)) 22)
render_expected hud_tip "${tip_strip[@]}" --blank \
    text main right $tip_x 220 "Rapid Fire (Lv 1) - \$$price" text small right $tip_x 230 "$numbers"
for ((i = 0; i < 3; ++i)); do
    click_at 80 $((baseline - 4))
    move_to "$(entry 2)" $button_y
    shows hud_upgrade_tip hud_tip "${tip_strip[@]}" && break
done
((i < 3)) || fail "the Rapid Fire tool tip does not read \"$numbers\" (see hud_upgrade_tip.png)"
click_at 160 100 3
move_to 160 100

# The formation comes low: the ground line glows red.
for ((i = 0; i < 60; ++i)); do
    shot hud_danger
    red=$(redness hud_danger)
    ((red > 0)) && break
    sleep 0.5
done
((red > 0)) || fail "the ground line never glowed red as the formation came low ($red)"

# Bullets hit the towers: small health bars over them, bright green or, low, red.
for ((i = 0; i < 60; ++i)); do
    shot hud_bars
    bars=$(count_colours "$SHOTS/hud_bars.png" 0 $((baseline - 40)) 320 30 0,255,0 255,72,56 150,16,24)
    ((bars > 0)) && break
    sleep 0.5
done
((bars > 0)) || fail "no damaged tower shows a health bar (see hud_bars.png)"

"$CLOSE_WINDOW" "$WID"
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
