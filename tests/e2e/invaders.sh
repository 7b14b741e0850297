#!/usr/bin/env bash
# The invaders as a player meets them, with quicker waves and a weaker base: the first wave
# enters the empty sky, its landings lower the health the HUD shows, the second one's landings
# bring the base down and turn the screen grey under the doubled "Game Over" words and the
# score, and "Start Over" in the Escape menu brings back a fresh game.
source "$(dirname "$0")/lib.sh"

GAME_LIMIT=90
dir=$(copy_data)
# At 100 pixels a second wave 1 lands 10.6 seconds after it starts, all 16 within a second,
# which leaves 1 of 17 health for the 3 seconds' pause and the 9.6 seconds wave 2 takes to land
# its first 6.
printf '%s\n' TimeBetweenWaves=3 Wave1SpeedBase=100 Wave1SpeedIncrease=10 Wave1SpeedMax=200 \
    StartingHealth=17 >>"$dir/data/strings.txt"
start_game "$dir"
wait_for_window
move_to 160 150 # on the sky, away from the buttons and the menu

money=$(string_int "$dir" StartingMoney)
# The HUD without the ground line above it, where bullets puff.
hud=(0 218 66 22) # left of the small buttons, which grey during a wave
render_expected invaders_hud_full "${hud[@]}" hud "$money" 17 17
render_expected invaders_hud_landed "${hud[@]}" hud "$money" 1 17
# Above the clouds only the wave can change the sky.
sky=(0 0 320 40)
render_expected invaders_sky "${sky[@]}"
words=(0 40 320 50)
render_expected invaders_words "${words[@]}" --blank gameover 1

shows invaders_start invaders_hud_full "${hud[@]}" || fail "a new game does not show 17 health"
n=$(mismatch "$SHOTS/invaders_start.png" "$SHOTS/invaders_sky.png" "${sky[@]}")
((n == 0)) || fail "the sky is not empty before the first wave ($n pixels differ)"

# The formation steps down into the field a moment after the pause.
for ((i = 0; i < 40; ++i)); do
    shot invaders_wave
    n=$(mismatch "$SHOTS/invaders_wave.png" "$SHOTS/invaders_sky.png" "${sky[@]}")
    ((n > 400)) && break
    sleep 0.2
done
((n > 400)) || fail "no wave appeared in the sky ($n pixels changed, see invaders_wave.png)"
log "the wave covers $n pixels of the high sky"

shows invaders_landed invaders_hud_landed "${hud[@]}" 20 ||
    fail "the landings of wave 1 do not bring the HUD down to 1 health (see invaders_landed.png)"

shows invaders_over invaders_words "${words[@]}" 20 ||
    fail "no \"Game Over\" words with \"Waves Defeated: 1\" after the base fell (see invaders_over.png)"
# Below the words, the score, the game's story and the hint how to go on; grey under them. A screenshot can catch the X server
# halfway through taking the grey frame, so a colourful one is taken again before failing.
for ((i = 0; i < 10; ++i)); do
    ((i > 0)) && sleep 0.2 && shot invaders_over
    above=$(saturation "$SHOTS/invaders_over.png" 0 0 320 48)
    below=$(saturation "$SHOTS/invaders_over.png" 0 158 320 82)
    ((above == 0 && below == 0)) && break
done
((above == 0 && below == 0)) ||
    fail "the game-over screen is not grey around its words (saturation $above above, $below below)"

press_escape
click_at 160 124 # "Start Over"
move_to 160 150
sleep 1.2 # the wipe
shows invaders_fresh invaders_hud_full "${hud[@]}" 5 ||
    fail "\"Start Over\" does not bring back a full base and the starting money (see invaders_fresh.png)"
n=$(saturation "$SHOTS/invaders_fresh.png" "${sky[@]}")
((n > 0)) || fail "the sky is still grey after \"Start Over\""

"$CLOSE_WINDOW" "$WID"
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
