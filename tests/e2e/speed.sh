#!/usr/bin/env bash
# Fast-forward: at 2x the same formation marches about twice as far in the same wall time. The
# field runs only between two P presses sent a fixed time apart, so the screenshots' own timing
# does not count; F and the small HUD button both step the speed, which the button shows.
source "$(dirname "$0")/lib.sh"

GAME_LIMIT=90
dir=$(copy_data_calm)
# At 40 pixels a second a row sweeps its 48 pixels in 1.2 s at 1x, then steps down for 0.4 s.
printf '%s\n' Wave1SpeedBase=40 Wave1SpeedMax=40 StartingHealth=100 >>"$dir/data/strings.txt"
start_game "$dir"
wait_for_window
move_to 160 100
press_key n

# "MEAN_X COUNT" of the squibbles' green above the ground.
formation() {
    convert "$SHOTS/$1.png" -sample '320x240!' -crop 320x200+0+0 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 && $4 > 150 && $4 > $3 + 50 && $4 > $5 + 50 { n++; sx += $1 }
            END { printf "%.3f %d\n", n ? sx / n : -1, n }'
}
for ((i = 0; i < 60; ++i)); do
    shot speed_wave
    read -r _ n < <(formation speed_wave)
    ((n > 100)) && break
    sleep 0.2
done
((n > 100)) || fail "the formation did not come into sight (see speed_wave.png)"
press_key p

# How far the formation marches in two runs of SECONDS each; a try in which the block turned
# or stepped down (the two halves differ) is thrown away. Prints the distance of both halves.
march() {
    local try a m b
    for ((try = 0; try < 12; ++try)); do
        shot speed_a
        xdotool key p sleep "$1" key p
        sleep 0.2
        shot speed_m
        xdotool key p sleep "$1" key p
        sleep 0.2
        shot speed_b
        read -r a _ < <(formation speed_a)
        read -r m _ < <(formation speed_m)
        read -r b _ < <(formation speed_b)
        if awk -v a="$a" -v m="$m" -v b="$b" 'BEGIN { d1 = m - a; d2 = b - m
                exit !(d1 * d2 > 0 && d1 / d2 > 0.7 && d1 / d2 < 1.4) }'; then
            awk -v a="$a" -v b="$b" 'BEGIN { d = b - a; print d < 0 ? -d : d }'
            return 0
        fi
        log "a turn in the way: $a $m $b"
    done
    return 1
}
one=$(march 0.15) || fail "no straight stretch of the march measured at 1x"
render_expected speed_2x 68 220 31 10 --blank text small centre 84 222 ">> 2x"
render_expected speed_3x 68 220 31 10 --blank text small centre 84 222 ">> 3x"
xdotool key p key f key p
shows speed_button_2x speed_2x 68 220 31 10 || fail "the speed button does not show 2x after F"
two=$(march 0.15) || fail "no straight stretch of the march measured at 2x"
log "marched $one pixels at 1x and $two at 2x in the same time"
awk -v one="$one" -v two="$two" 'BEGIN { exit !(two > 1.5 * one && two < 2.7 * one) }' ||
    fail "at 2x the formation marched $two pixels where 1x marched $one, not about twice as far"

press_key p
click_at 84 224
shows speed_button_3x speed_3x 68 220 31 10 || fail "a click on the speed button does not show 3x"

"$CLOSE_WINDOW" "$WID"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
