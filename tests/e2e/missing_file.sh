#!/usr/bin/env bash
# A data file other than strings.txt missing: exit code 2 and exactly one line on stderr that
# names the file, so a player knows what to restore; hostile data is refused the same way.
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

# Hostile data folders, each refused with one line and its exit code instead of a hang or a crash:
# a font picture in another format whose header claims 40000 x 40000 (Allegro's PCX reader
# believed it), a FIFO as strings.txt, a FIFO as the replay (nothing ever writes to them), a sound
# one byte past the 4 MB a sound may have (Allegro holds a sound whole in memory).
expect_refusal() { # expect_refusal CODE WORD DIR ARGS...
    local code=$1 word=$2 dir=$3
    shift 3
    start_game "$dir" "$@"
    wait_for_exit 15
    [[ $GAME_CODE == "$code" ]] || fail "$word: exit code $GAME_CODE, expected $code"
    [[ $(wc -l <"$GAME_ERR") == 1 ]] && grep -q "$word" "$GAME_ERR" ||
        fail "$word: expected one line naming it, got: $(head -c 300 "$GAME_ERR")"
}
dir=$(copy_data)
printf '\x0a\x05\x01\x08\x00\x00\x00\x00\x3f\x9c\x3f\x9c' >"$dir/data/evil.pcx"
head -c 885 /dev/zero >>"$dir/data/evil.pcx"
echo 'FontMain=data/evil.pcx' >>"$dir/data/strings.txt"
expect_refusal 2 evil.pcx "$dir"
dir=$(copy_data)
rm "$dir/data/strings.txt"
mkfifo "$dir/data/strings.txt"
expect_refusal 1 strings.txt "$dir"
mkfifo "$WORK/fifo.replay"
expect_refusal 4 fifo.replay "$SRC" --replay "$WORK/fifo.replay"
dir=$(copy_data)
head -c $((4 * 1024 * 1024 + 1)) /dev/zero >>"$dir/data/zoop.wav"
expect_refusal 2 zoop.wav "$dir"
