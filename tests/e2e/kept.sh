#!/usr/bin/env bash
# What is kept between runs: the sound switch left off last time reads "Sound: Off" in the menu,
# and the best result shows under the score on the game-over screen. Switching the sound on is
# saved at once. A corrupt best file costs one line on stderr, and the game runs with best 0.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data_calm)
printf 'StartingHealth=0\n' >>"$dir/data/strings.txt" # lost at once: the game-over screen
settings=$XDG_CONFIG_HOME/groundline/settings.txt
best=$XDG_DATA_HOME/groundline/best.txt
mkdir -p "$(dirname "$settings")" "$(dirname "$best")"
printf 'sound=off\n' >"$settings"
printf 'best=7\n' >"$best"

over() { # over NAME BEST: the score and the best under it
    render_expected "$1" 60 70 200 20 --blank text smallred centre 160 74 "Waves Defeated: 0" \
        text smallred centre 160 82 "Best: $2"
}
menu() { # menu NAME SOUND
    render_expected "$1" 100 105 120 35 --blank text mainred centre 160 110 "Sound: $2" \
        text main centre 160 120 "Start Over" text main centre 160 130 "Quit Game"
}
over kept_best7 7
over kept_best0 0
menu kept_menu_off Off
menu kept_menu_on On

start_game "$dir"
wait_for_window
move_to 160 113
shows kept_over kept_best7 60 70 200 20 || fail "the game-over screen does not show Best: 7"
press_escape
shows kept_off kept_menu_off 100 105 120 35 || fail "the sound switch left off reads otherwise"
click_at 160 113
shows kept_on kept_menu_on 100 105 120 35 || fail "the sound item does not switch on"
grep -qx 'sound=on' "$settings" || fail "switching the sound on was not saved: $(cat "$settings")"
click_at 160 133
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after \"Quit Game\", expected 0"
[[ ! -s $GAME_ERR ]] || fail "printed on stderr: $(head -c 200 "$GAME_ERR")"
[[ $(ls "$(dirname "$settings")") == settings.txt ]] || fail "files left beside settings.txt"

printf '\x89PNG\r\n\x1a\n' >"$best"
start_game "$dir"
wait_for_window
shows kept_corrupt kept_best0 60 70 200 20 || fail "with a corrupt best file the best is not 0"
lines=$(wc -l <"$GAME_ERR")
[[ $lines == 1 ]] || fail "$lines lines on stderr for a corrupt best file, expected one"
grep -q "$best" "$GAME_ERR" || fail "stderr does not name the file: $(cat "$GAME_ERR")"
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
