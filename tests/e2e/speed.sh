#!/usr/bin/env bash
# Fast-forward: at 2x the same formation marches about twice as far in the same wall time. The
# field runs only between two P presses sent a fixed time apart, so the screenshots' own timing
# does not count; F and the small HUD button both step the speed, which the button shows.
#
# Measured to hold on a loaded machine: each run lasts over half a second, so a P seen a frame or
# two late is a small share of it; the formation's way is measured along its path (right or left,
# then down: no run is long enough to hold a whole step down and a turn), so no run is thrown
# away for a turn; a run whose two halves disagree (a P seen very late) is tried again; and every
# look is taken once the picture holds still.
source "$(dirname "$0")/lib.sh"

GAME_LIMIT=120
dir=$(copy_data_calm)
# At 12 pixels a second a run of 0.6 s is 7.2 pixels of the way at 1x and 14.4 at 2x, less than
# one step down (16 pixels).
printf '%s\n' Wave1SpeedBase=12 Wave1SpeedMax=12 StartingHealth=100 >>"$dir/data/strings.txt"
start_game "$dir"
wait_for_window
move_to 160 100
# At 3x until the whole formation is in sight.
press_key f
press_key f
press_key n

# "MEAN_X MEAN_Y COUNT TOP" of the squibbles' green above the ground, bright or under the
# paused field's dimming.
formation() {
    convert "$SHOTS/$1.png" -sample '320x240!' -crop 320x200+0+0 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 && $4 > 90 && $4 > $3 + 35 && $4 > $5 + 35 {
                n++; sx += $1; sy += $2; if (top == "" || $2 < top) top = $2 }
            END { printf "%.3f %.3f %d %d\n", n ? sx / n : -1, n ? sy / n : -1, n, n ? top : -1 }'
}
for ((i = 0; i < 150; ++i)); do
    shot speed_wave
    read -r _ _ n top < <(formation speed_wave)
    ((n > 100 && top > 2)) && break
    sleep 0.2
done
((n > 100 && top > 2)) || fail "the formation did not come into sight (see speed_wave.png)"
press_key f # back to 1x
press_key p

# A screenshot NAME once two looks in a row agree: the pause has been seen and drawn.
still_shot() {
    local i
    shot "$1"
    for ((i = 0; i < 20; ++i)); do
        sleep 0.15
        mv "$SHOTS/$1.png" "$WORK/$1.before.png"
        shot "$1"
        (($(pixels_differing "$WORK/$1.before.png" "$SHOTS/$1.png") == 0)) && return 0
    done
    log "$1: the picture does not hold still"
}
# The way between two looks along the formation's path.
way() {
    awk -v a="$1" -v b="$2" 'BEGIN { split(a, p, " "); split(b, q, " ")
        dx = q[1] - p[1]; dy = q[2] - p[2]; print (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy) }'
}
# How far the formation marches in two runs of SECONDS each; a try whose two runs differ by more
# than a third is thrown away. Prints the way of both runs.
march() {
    local try a m b d1 d2
    for ((try = 0; try < 8; ++try)); do
        still_shot speed_a
        xdotool key p sleep "$1" key p
        still_shot speed_m
        xdotool key p sleep "$1" key p
        still_shot speed_b
        a=$(formation speed_a)
        m=$(formation speed_m)
        b=$(formation speed_b)
        d1=$(way "$a" "$m")
        d2=$(way "$m" "$b")
        if awk -v d1="$d1" -v d2="$d2" 'BEGIN { exit !(d1 > 0 && d2 > 0 && d1 / d2 > 0.75 && d1 / d2 < 1.33) }'; then
            awk -v d1="$d1" -v d2="$d2" 'BEGIN { print d1 + d2 }'
            return 0
        fi
        log "two runs of one try differ: $d1 and $d2 pixels"
    done
    return 1
}
one=$(march 0.6) || fail "no steady march measured at 1x"
render_expected speed_2x 68 220 31 10 --blank text small centre 84 222 ">> 2x"
render_expected speed_3x 68 220 31 10 --blank text small centre 84 222 ">> 3x"
xdotool key p key f key p
shows speed_button_2x speed_2x 68 220 31 10 || fail "the speed button does not show 2x after F"
two=$(march 0.6) || fail "no steady march measured at 2x"
log "marched $one pixels at 1x and $two at 2x in the same time"
awk -v one="$one" -v two="$two" 'BEGIN { exit !(two > 1.5 * one && two < 2.7 * one) }' ||
    fail "at 2x the formation marched $two pixels where 1x marched $one, not about twice as far"

press_key p
# A click lost on a loaded machine is made again.
for ((i = 0; i < 3; ++i)); do
    click_at 84 224
    shows speed_button_3x speed_3x 68 220 31 10 && break
done
((i < 3)) || fail "a click on the speed button does not show 3x"

"$CLOSE_WINDOW" "$WID"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
