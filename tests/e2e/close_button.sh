#!/usr/bin/env bash
# The window's close button (a WM_DELETE_WINDOW message, as a window manager sends it) ends the
# game with exit code 0, here in the middle of the first wave of the shipped data set; SIGTERM
# during play ends it as cleanly with 143, a SIGHUP ignored at start stays ignored, and a close
# sent while the game still loads ends it there: no frame, no recording.
source "$(dirname "$0")/lib.sh"

start_game "$SRC"
wait_for_window
move_to 160 120
# The first wave comes after the calm, with its banner; one look at it for the record (the
# banner rests on its line in its second second), then close.
calm=$(string_int "$SRC" TimeBetweenWaves)
sleep "$((calm < 10 ? calm + 1 : 1)).6"
shot close_during_wave
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
[[ ! -s $GAME_ERR ]] || fail "printed on stderr: $(head -c 200 "$GAME_ERR")"

# SIGTERM while playing: Allegro's own handler aborted whenever its input thread held the display.
start_game "$SRC"
wait_for_window
kill -TERM "$GAME_PID"
wait_for_exit 10
[[ $GAME_CODE == 143 ]] || fail "exit code $GAME_CODE after SIGTERM, expected 143"
[[ ! -s $GAME_ERR ]] || fail "SIGTERM printed on stderr: $(head -c 200 "$GAME_ERR")"

# Started under nohup (SIGHUP ignored): the game keeps it ignored. timeout passes the signal on.
PROGRAM=nohup start_game "$SRC" "$GAME"
wait_for_window
kill -HUP "$GAME_PID"
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "a SIGHUP ignored at start ended the game"
kill -TERM "$GAME_PID"
wait_for_exit 10
[[ $GAME_CODE == 143 ]] || fail "exit code $GAME_CODE after SIGTERM, expected 143"

# The close button as soon as the window has its title, while the data is still loading: every
# sound of the copy at the largest size a sound may have (4 MB) keeps the load going for a while,
# and the close cuts it short. A game started after it would print its digest and write the
# recording.
# (The search is blind to case: until the title is set the window carries the program's name.)
dir=$(copy_data)
{
    printf 'RIFF\xf8\xff\x3f\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x22\x56\x00\x00'
    printf '\x44\xac\x00\x00\x02\x00\x10\x00data\xd4\xff\x3f\x00'
    head -c $((4 * 1024 * 1024 - 44)) /dev/zero
} >"$WORK/big.wav"
for f in "$dir"/data/*.wav; do cp "$WORK/big.wav" "$f"; done
start_game "$dir" --record "$WORK/closed.replay"
for ((i = 0; i < 150; ++i)); do
    WID=$(xdotool search --name '^Groundline$' 2>/dev/null | head -n 1)
    [[ -n $WID && $(xdotool getwindowname "$WID" 2>/dev/null) == Groundline ]] && break
    sleep 0.1
done
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after a close while loading, expected 0"
[[ ! -e $WORK/closed.replay ]] || fail "a close while loading still wrote a recording"
[[ ! -s $GAME_OUT && ! -s $GAME_ERR ]] ||
    fail "a close while loading printed: $(head -c 200 "$GAME_OUT" "$GAME_ERR")"
