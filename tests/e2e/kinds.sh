#!/usr/bin/env bash
# A practice game from wave 8, the first with every kind: during the countdown the next wave's
# kinds show as small pictures on the countdown's line; the wave comes with every kind in its
# formation, and the first kind not met yet is named in a notice over the field.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data)
# A short countdown and a base that outlasts the test.
cat >>"$dir/data/strings.txt" <<'TUNING'
TimeBetweenWaves=3
StartingHealth=500
TUNING
start_game "$dir" --wave 8
wait_for_window

# Each kind's healthy body colour, squibble first (the generator's palette).
KIND_NAMES=(squibble plated diver splitter)
KIND_COLOURS=(96,206,112 128,150,184 226,84,170 232,196,64)
# Pixels of a region, in back-buffer pixels, near a colour (the sprites shade their bodies; the
# night sky and its clouds stay clear of these at this distance):
# near_colour IMAGE X Y W H R,G,B
near_colour() {
    convert "$1" -sample '320x240!' -crop "${4}x${5}+${2}+${3}" +repage -fuzz 4% \
        -fill black +opaque "rgb($6)" -fill white -opaque "rgb($6)" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}
# Every kind must show in the region: missing_kind IMAGE X Y W H prints the first kind missing.
missing_kind() {
    local k n
    for k in "${!KIND_NAMES[@]}"; do
        n=$(near_colour "$@" "${KIND_COLOURS[$k]}")
        log "$(basename "$1"): ${KIND_NAMES[$k]} $n pixels"
        ((n >= 8)) || {
            echo "${KIND_NAMES[$k]}"
            return
        }
    done
}

# The countdown's line, right of "Starts in N s": one picture for each kind of wave 8.
shot kinds_countdown
missing=$(missing_kind "$SHOTS/kinds_countdown.png" 102 224 218 16)
[[ -z $missing ]] || fail "no $missing among the next wave's icons (see kinds_countdown.png)"

# The wave comes: the notice box's frame across the field low down, over its first new kind.
for ((i = 0; i < 50; ++i)); do
    shot kinds_notice
    n=$(count_colours "$SHOTS/kinds_notice.png" 0 150 320 24 112,120,168)
    ((n > 100)) && break
    sleep 0.2
done
((n > 100)) || fail "no notice of a new kind 10 seconds after the countdown (see kinds_notice.png)"
# Its title, as the game's font draws it on the box's fill, somewhere in the box.
render_expected kinds_title 0 0 70 12 --blank text main left 0 0 "New: Plated"
convert "$SHOTS/kinds_title.png" -fill 'rgb(20,22,44)' -opaque '#FF00FF' -trim +repage \
    "$WORK/kinds_title.png"
crop_field "$SHOTS/kinds_notice.png" 0 150 320 24 "$WORK/kinds_band.png"
found=$(compare -metric AE -subimage-search "$WORK/kinds_band.png" "$WORK/kinds_title.png" \
    null: 2>&1 | awk '{ print $1 }')
log "title search: $found"
[[ $found == 0 ]] || fail "the notice does not read \"New: Plated\" (see kinds_notice.png)"

# Every kind in the formation once it has entered, high over the field.
for ((i = 0; i < 40; ++i)); do
    shot kinds_wave
    missing=$(missing_kind "$SHOTS/kinds_wave.png" 0 0 320 148)
    [[ -z $missing ]] && break
    sleep 0.3
done
[[ -z $missing ]] || fail "no $missing in wave 8's formation (see kinds_wave.png)"

"$CLOSE_WINDOW" "$WID"
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
