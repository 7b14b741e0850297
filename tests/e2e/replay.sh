#!/usr/bin/env bash
# A play-through recorded in the window with --record: towers bought, upgraded and demolished
# (the explosion shakes the screen, which draws random numbers), the Escape menu opened and
# closed, the help card, 2x and the first wave called early, then the close button. Played back headless by
# groundline-sim --replay and in the window by groundline --replay, both must end with the
# digest the recording ended with. A replay made with other data or another version is refused
# with one line on stderr; a replay's window closed during a recorded hour-long stall ends at once.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data)
replay=$WORK/play.replay
start_game "$dir" --record "$replay"
wait_for_window

spacing=$(string_int "$dir" ButtonSpacing)
baseline=$(string_int "$dir" TowerBaseline)
entry() { echo $((300 - $1 * spacing + 9)); }
button_y=229

click_at "$(entry 0)" $button_y # a laser turret at 160 and one at 100
click_at 160 150
click_at 100 150
click_at 100 100 3
click_at 160 $((baseline - 4)) # its menu: the first upgrade, then demolish
click_at "$(entry 2)" $button_y
click_at "$(entry 0)" $button_y
sleep 0.5
press_escape
press_escape
press_key h # the help card, which the next key only closes
press_key f
press_key f # 2x
press_key n # the first wave at once, for the bonus
move_to 200 120
sleep 4
"$CLOSE_WINDOW" "$WID"
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after recording, expected 0"
recorded=$(sed -n 's/^state digest: //p' "$GAME_OUT")
[[ $recorded =~ ^[0-9a-f]{16}$ ]] || fail "the recording printed no state digest: $(head -c 200 "$GAME_OUT")"
[[ -s $GAME_ERR ]] && fail "the recording wrote to stderr: $(head -n 1 "$GAME_ERR")"
zcat "$replay" | grep -q '^end ' || fail "the replay file has no end line"
log "recorded $(zcat "$replay" | tail -n 1), $(stat -c %s "$replay") bytes"

# Headless, as fast as it goes.
out=$(cd "$dir" && timeout -k 2 60 "$SIM" --replay "$replay" 2>"$WORK/sim.err")
code=$?
((code == 0)) || fail "groundline-sim --replay exited $code: $(head -n 1 "$WORK/sim.err")"
[[ $out == "state digest: $recorded" ]] ||
    fail "the headless replay ended with '$out', recorded $recorded"

# In the window, at the recorded speed; it ends by itself.
start_game "$dir" --replay "$replay"
wait_for_exit 40
[[ $GAME_CODE == 0 ]] || fail "groundline --replay exited $GAME_CODE: $(head -n 1 "$GAME_ERR")"
[[ $(cat "$GAME_OUT") == "state digest: $recorded" ]] ||
    fail "the replay in the window ended with '$(cat "$GAME_OUT")', recorded $recorded"

# Other data: one line naming the reason, exit 4, nothing played.
other=$(copy_data)
printf 'StartingMoney=999\n' >>"$other/data/strings.txt"
(cd "$other" && timeout -k 2 30 "$SIM" --replay "$replay" >"$WORK/other.out" 2>"$WORK/other.err")
code=$?
((code == 4)) || fail "a replay with other data exited $code, expected 4"
[[ $(wc -l <"$WORK/other.err") == 1 ]] && grep -q "other data" "$WORK/other.err" ||
    fail "a replay with other data did not say so in one line: $(cat "$WORK/other.err")"
[[ -s $WORK/other.out ]] && fail "a refused replay printed a digest"

# Another version, in the window too.
zcat "$replay" | sed 's/^version .*/version 0.0.0-other/' | gzip >"$WORK/old.replay"
start_game "$dir" --replay "$WORK/old.replay"
wait_for_exit 10
[[ $GAME_CODE == 4 ]] || fail "a replay of another version exited $GAME_CODE, expected 4"
grep -q "version 0.0.0-other" "$GAME_ERR" || fail "the refusal does not name the version: $(cat "$GAME_ERR")"

# A recorded stall of an hour: the window still answers its close button at once, and a replay
# left before its end ends with 0 and no complaint.
{
    zcat "$replay" | sed -n '1,6p'
    printf '10000 0 0 0\n3600000000 0 0 0\n10000 0 0 0\nend 3 0123456789abcdef\n'
} | gzip >"$WORK/stall.replay"
start_game "$dir" --replay "$WORK/stall.replay"
wait_for_window
"$CLOSE_WINDOW" "$WID"
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "closing a stalled replay's window: exit $GAME_CODE, expected 0"
[[ -s $GAME_ERR ]] && fail "closing a replay's window complained: $(head -n 1 "$GAME_ERR")"
exit 0
