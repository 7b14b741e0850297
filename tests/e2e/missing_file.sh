#!/usr/bin/env bash
# A data file other than strings.txt missing: exit code 2 and exactly one line on stderr that
# names the file, so a player knows what to restore.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data)
rm "$dir/data/bg.mz"
start_game "$dir"
wait_for_exit 15
[[ $GAME_CODE == 2 ]] || fail "exit code $GAME_CODE, expected 2"
lines=$(wc -l <"$GAME_ERR")
[[ $lines == 1 ]] || fail "$lines lines on stderr, expected one: $(head -c 300 "$GAME_ERR")"
grep -q 'data/bg\.mz' "$GAME_ERR" || fail "stderr does not name data/bg.mz: $(cat "$GAME_ERR")"
[[ ! -s $GAME_OUT ]] || fail "printed on stdout: $(head -c 200 "$GAME_OUT")"
log "stderr: $(cat "$GAME_ERR")"
