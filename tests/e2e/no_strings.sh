#!/usr/bin/env bash
# Without data/strings.txt the game ends at once with exit code 1 and prints nothing at all,
# even though every other data file is there.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data)
rm "$dir/data/strings.txt"
start_game "$dir"
wait_for_exit 15
[[ $GAME_CODE == 1 ]] || fail "exit code $GAME_CODE, expected 1"
[[ ! -s $GAME_OUT ]] || fail "printed on stdout: $(head -c 200 "$GAME_OUT")"
[[ ! -s $GAME_ERR ]] || fail "printed on stderr: $(head -c 200 "$GAME_ERR")"
