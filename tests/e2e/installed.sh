#!/usr/bin/env bash
# The installed game: `cmake --install` of the build tree into a temporary prefix, started from a
# folder without data/ as PREFIX/games/groundline, finds its data under
# PREFIX/share/games/groundline, shows the designed screen and ends with exit code 0 at the close
# button, printing nothing.
source "$(dirname "$0")/lib.sh"

build=$(dirname "$GAME")
[[ -f $build/CMakeCache.txt ]] || fail "$GAME is not at the top of a build tree"
prefix=$WORK/prefix
cmake --install "$build" --prefix "$prefix" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 3 "$WORK/install.log")"
[[ -f $prefix/share/games/groundline/strings.txt ]] ||
    fail "no share/games/groundline/strings.txt installed"

mkdir -p "$WORK/elsewhere"
PROGRAM=$prefix/games/groundline start_game "$WORK/elsewhere"
wait_for_window
wait_for_size 640x480
DATA_DIR=$SRC # what the probe renders the expected picture from
move_to 160 120
money=$(string_int "$SRC" StartingMoney)
health=$(string_int "$SRC" StartingHealth)
render_expected installed_bottom 0 214 320 26 hud "$money" "$health" "$health" buildbar "$money"
shows installed_idle installed_bottom 0 214 320 26 || fail "the installed game's HUD and build bar differ"
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
[[ ! -s $GAME_ERR ]] || fail "printed on stderr: $(head -c 200 "$GAME_ERR")"
