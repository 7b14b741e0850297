#!/usr/bin/env bash
# The game-over screen tells the game's story: one laser turret bought with all the money, which
# deals no damage, and a first wave that lands at once on a base of one point.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data)
printf '%s\n' StartingMoney=50 StartingHealth=1 TimeBetweenWaves=2 Wave1SpeedBase=150 \
    Wave1SpeedMax=150 Tower1.DamageBase=0 Tower1.Health=100000 >>"$dir/data/strings.txt"
price=$(string_int "$dir" Tower1.Value)
((price == 50)) || fail "the laser turret costs $price, not 50"
story=(40 70 240 70)
# The story's lines from y 96, 9 apart; the time played's figure changes and is left out.
render_expected story_expected "${story[@]}" --blank \
    text smallred centre 160 74 "Waves Defeated: 0" text small right 157 96 "Time played" \
    text small right 157 105 "Invaders destroyed" text small left 163 105 0 \
    text small right 157 114 Money text small left 163 114 '$0 earned, $50 spent' \
    text small right 157 123 Towers text small left 163 123 "1 built, 0 lost" \
    text small right 157 132 "Most effective" text small left 163 132 none

start_game "$dir"
wait_for_window
click_at $((300 + 9)) 229 # the laser's build button, then the ground
click_at 160 150
move_to 160 190
shows story_over story_expected "${story[@]}" 20 || fail "the story differs (see story_over.png)"
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
