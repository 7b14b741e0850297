#!/usr/bin/env bash
# The window: titled "Groundline", 640x480, showing the 320x240 picture doubled; the idle screen
# has the night sky of data/bg.mz with clouds drifting across it, the HUD with the base's health
# and the starting money, and the three build buttons.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data_calm)
start_game "$dir"
wait_for_window # checks the title too
move_to 160 120 # on the sky, away from every button

money=$(string_int "$dir" StartingMoney)
health=$(string_int "$dir" StartingHealth)
render_expected window_bottom 0 214 320 26 hud "$money" "$health" "$health" buildbar "$money"
render_expected window_sky 0 0 320 200

# Each 2x2 block of the window is one back-buffer pixel. The clouds drift by a pixel now and
# then, and a frame reaches X line by line, so one capture may catch a frame half drawn: allow
# a second or third look before calling the doubling broken.
for attempt in 1 2 3; do
    shot window_idle
    size=$(image_size "$SHOTS/window_idle.png")
    [[ $size == 640x480 ]] || fail "the window is $size, expected 640x480"
    convert "$SHOTS/window_idle.png" -sample 50% -sample 200% "$WORK/doubled.png"
    odd=$(pixels_differing "$SHOTS/window_idle.png" "$WORK/doubled.png")
    ((odd == 0)) && break
    log "attempt $attempt: $odd window pixels differ from their 2x2 block"
    sleep 0.3
done
((odd == 0)) || fail "$odd window pixels are not part of a doubled back-buffer pixel"

n=$(mismatch "$SHOTS/window_idle.png" "$SHOTS/window_bottom.png" 0 214 320 26)
((n == 0)) || fail "HUD and build bar: $n pixels differ from the expected strip (window_bottom.png)"

# Above the clouds the sky is the background picture itself; in their band the clouds cover a
# good part of it, but not all.
crop_field "$SHOTS/window_idle.png" 0 0 320 40 "$WORK/high_sky.png"
convert "$SHOTS/window_sky.png" -crop 320x40+0+0 +repage "$WORK/high_bg.png"
n=$(pixels_differing "$WORK/high_sky.png" "$WORK/high_bg.png")
((n == 0)) || fail "the sky above the clouds differs from data/bg.mz in $n pixels"
crop_field "$SHOTS/window_idle.png" 0 40 320 60 "$WORK/cloud_band.png"
convert "$SHOTS/window_sky.png" -crop 320x60+0+40 +repage "$WORK/cloud_band_bg.png"
n=$(pixels_differing "$WORK/cloud_band.png" "$WORK/cloud_band_bg.png")
((n > 1000 && n < 19200 * 9 / 10)) || fail "clouds cover $n of the 19200 pixels of their band"
log "clouds cover $n of 19200 pixels of their band"

stop_game
