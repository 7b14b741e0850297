#!/usr/bin/env bash
# Without data/strings.txt the game ends at once with exit code 1 and prints nothing at all,
# even though every other data file is there. A strings.txt that is a folder is no data set
# either (exit 1, with one line saying it is no file), nor is a link to itself (exit 1, one line
# with the reason), and a folder named with --data that lacks
# it costs one line naming that folder, and still exit 1.
source "$(dirname "$0")/lib.sh"

ends_with_1() { # ends_with_1 WHAT LINES: exit 1, nothing on stdout, LINES lines on stderr
    wait_for_exit 15
    [[ $GAME_CODE == 1 ]] || fail "$1: exit code $GAME_CODE, expected 1"
    [[ ! -s $GAME_OUT ]] || fail "$1: printed on stdout: $(head -c 200 "$GAME_OUT")"
    local lines
    lines=$(wc -l <"$GAME_ERR")
    [[ $lines == "$2" ]] || fail "$1: $lines lines on stderr, expected $2: $(head -c 300 "$GAME_ERR")"
}

dir=$(copy_data)
rm "$dir/data/strings.txt"
start_game "$dir"
ends_with_1 "no strings.txt" 0

mkdir "$dir/data/strings.txt"
start_game "$dir"
ends_with_1 "strings.txt a folder" 1

# A link to itself: the look at it must not throw.
rmdir "$dir/data/strings.txt"
ln -s strings.txt "$dir/data/strings.txt"
start_game "$dir"
ends_with_1 "strings.txt a link to itself" 1
rm "$dir/data/strings.txt"

mkdir -p "$WORK/elsewhere"
start_game "$WORK/elsewhere" --data "$dir/data"
ends_with_1 "--data without strings.txt" 1
grep -qF "$dir/data" "$GAME_ERR" && grep -q 'strings\.txt' "$GAME_ERR" ||
    fail "stderr does not name the folder and strings.txt: $(cat "$GAME_ERR")"
log "stderr: $(cat "$GAME_ERR")"
