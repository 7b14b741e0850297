#!/usr/bin/env bash
# A practice game started at wave 10 with --wave: the boss wave comes at once. Once the master
# orb has sunk into view inside its ring, its health bar shows at the top of the screen, full;
# under the fire of a row of towers the bar must shrink.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data)
# Cash for a row of towers that the bombs cannot bring down, and a base that outlasts the test.
cat >>"$dir/data/strings.txt" <<'TUNING'
TimeBetweenWaves=1
StartingMoney=2000
StartingHealth=500
Tower1.Health=100000
Tower2.Health=100000
TUNING
start_game "$dir" --wave 10
wait_for_window
shot boss_wave_start

# The bright middle of the boss bar, 200 pixels wide from x 60, in rows 5 and 6 of the field:
# its length in field pixels, from the widest of a few screenshots (a bomb's screen shake may
# push it partly out of the picture for a moment).
bar_length() {
    local name=$1 best=0 n k
    for ((k = 0; k < 3; ++k)); do
        shot "$name"
        n=$(convert "$SHOTS/$name.png" -crop 640x32+0+0 +repage -fill black +opaque '#00FF00' \
            -fill white -opaque '#00FF00' -format '%[fx:int(mean*w*h+0.5)]' info:)
        # Doubled in both directions, two rows: 8 window pixels for each field pixel.
        n=$((n / 8))
        ((n > best)) && best=$n
        sleep 0.1
    done
    echo "$best"
}

# A row of laser and missile turrets under the orb's path, bought from the build bar.
spacing=$(string_int "$dir" ButtonSpacing)
for type in 0 1; do
    click_at $((300 - type * spacing + 9)) 229
    for x in 70 130 190 250; do
        click_at $((x + type * 30)) 150
    done
    click_at 160 100 3
done
move_to 160 120

# The orb sinks from y -64 to 32 at 12 pixels a second; the bar shows once it has arrived.
length=0
for ((i = 0; i < 120 && length == 0; ++i)); do
    sleep 0.2
    length=$(bar_length boss_wave_arrived)
done
((length > 0)) || fail "no boss health bar after 24 seconds of the boss wave (see boss_wave_arrived.png)"
log "bar at arrival: $length"
((length >= 190)) || fail "the boss bar starts at $length of 200 pixels, not full"

# Under fire the bar shrinks.
for ((i = 0; i < 40; ++i)); do
    sleep 0.5
    later=$(bar_length boss_wave_under_fire)
    ((later > 0 && later < length - 4)) && break
done
log "bar under fire: $later"
((later > 0 && later < length - 4)) ||
    fail "the boss bar did not shrink under fire: $length, then $later (see boss_wave_under_fire.png)"

"$CLOSE_WINDOW" "$WID"
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
