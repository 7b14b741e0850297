#!/usr/bin/env bash
# The towers fight a real wave: a laser turret's bolts fly up, a missile turret's missiles home
# in trailing smoke, a tesla coil's sparks strike, and the money on screen rises with every
# squibble shot down. The data copy gives more money, a longer first pause to build in, a
# quicker wave, quicker launches and a coil that reaches the whole sky and recharges at once.
source "$(dirname "$0")/lib.sh"

GAME_LIMIT=90
dir=$(copy_data)
printf '%s\n' StartingMoney=1000 StartingHealth=50 TimeBetweenWaves=6 Wave1SpeedBase=40 \
    Wave1SpeedMax=40 Tower2.FreqBase=0.5 Tower3.FreqBase=0.05 Tower3.RangeGrowth=4000 \
    Tower3.RangeMax=400 >>"$dir/data/strings.txt"
start_game "$dir"
wait_for_window
move_to 160 100

money=$(string_int "$dir" StartingMoney)
spacing=$(string_int "$dir" ButtonSpacing)
baseline=$(string_int "$dir" TowerBaseline)
entry() { echo $((300 - $1 * spacing + 9)); } # the middle of build button i
money_strip=(0 228 66 12)
money_is() { render_expected "$1" "${money_strip[@]}" hud "$2" 50 50; }

# Colours only the shots draw (the generator gives no other picture any of them).
bolt=(255,80,70 255,90,80 240,71,64 225,63,59 210,54,53 195,46,47 255,114,103 255,142,130)
missile=(232,56,40 236,240,246 168,174,190 90,100,76 255,130,40 255,236,140)
smoke=(200,200,212 195,195,208 189,189,202 185,185,197 178,178,191 175,175,188 171,171,184
    170,170,183 164,164,177 162,162,176 161,161,175 157,157,171 154,154,168 153,153,167
    152,152,166 151,151,165 147,147,161 146,146,160 145,145,159 142,142,156 139,139,154)
glow=(64,128,255)
sky=(0 0 320 $((baseline - 40))) # above the towers and their launch puffs

shot shots_before
for colours in bolt missile smoke glow; do
    declare -n list=$colours
    n=$(count_colours "$SHOTS/shots_before.png" "${sky[@]}" "${list[@]}")
    ((n == 0)) || fail "the empty sky already shows $n pixels of the $colours's colours"
done

# Buys tower TYPE at X and leaves placing mode.
build() {
    click_at "$(entry "$1")" 229
    click_at "$2" 150
    click_at "$2" 100 3
    move_to 160 100
}

# Takes screenshots NAME.png until the region shows at least one pixel of every colour group
# named, or SECONDS pass: seen NAME SECONDS X Y W H GROUP...
seen() {
    local name=$1 tenths=$(($2 * 10)) x=$3 y=$4 w=$5 h=$6 group n all
    shift 6
    while ((tenths > 0)); do
        shot "$name"
        all=1
        for group in "$@"; do
            declare -n list=$group
            n=$(count_colours "$SHOTS/$name.png" "$x" "$y" "$w" "$h" "${list[@]}")
            ((n > 0)) || all=0
        done
        ((all)) && return 0
        sleep 0.1
        tenths=$((tenths - 2))
    done
    return 1
}

laser=$(string_int "$dir" Tower1.Value)
build 0 60
money_is shots_money_laser $((money - laser))
shows shots_laser_bought shots_money_laser "${money_strip[@]}" ||
    fail "buying a laser turret does not leave \$$((money - laser)) on screen"
# Bolts leave every period, wave or not, straight up from the muzzle.
seen shots_bolt 5 50 0 20 $((baseline - 12)) bolt ||
    fail "no laser bolt above the laser turret (see shots_bolt.png)"

rocket=$(string_int "$dir" Tower2.Value)
build 1 160
# Missiles need a target: the wave comes after the pause.
seen shots_missile 25 "${sky[@]}" missile smoke ||
    fail "no missile with a smoke trail in the sky (see shots_missile.png)"

coil=$(string_int "$dir" Tower3.Value)
build 2 260
seen shots_spark 10 "${sky[@]}" glow || fail "no tesla spark (see shots_spark.png)"

# Everything since the last purchase is bounties: find the amount shown, counting up.
spent=$((money - laser - rocket - coil))
sleep 1
shot shots_money
money_is shots_money_spent $spent
n=$(mismatch "$SHOTS/shots_money.png" "$SHOTS/shots_money_spent.png" "${money_strip[@]}")
((n > 0)) || fail "the money shown is still \$$spent after the towers fought (see shots_money.png)"
for ((shown = spent + 1; shown <= spent + 400; ++shown)); do
    money_is .shots_money_probe $shown
    n=$(mismatch "$SHOTS/shots_money.png" "$SHOTS/.shots_money_probe.png" "${money_strip[@]}")
    ((n == 0)) && break
done
rm -f "$SHOTS/.shots_money_probe.png"
((n == 0)) || fail "the money shown is not between \$$spent and \$$((spent + 400)) (see shots_money.png)"
log "the money rose from \$$spent to \$$shown"

"$CLOSE_WINDOW" "$WID"
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
