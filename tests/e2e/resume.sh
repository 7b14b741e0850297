#!/usr/bin/env bash
# A game kept and continued: the start screen offers the three levels; two towers are built, the
# game is quit in wave 3, and the next start offers "Continue (wave 3)", which brings back wave 3
# with the same towers (the save it writes again is the same file). Towers deal no damage and
# the waves march fast, so each wave lands at once and costs only health. "Start Over" then
# offers the levels again.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data)
printf '%s\n' StartingHealth=1000 StartingMoney=100000 TimeBetweenWaves=3 Wave1SpeedBase=150 \
    Wave1SpeedMax=150 Tower1.DamageBase=0 Tower1.Health=100000 >>"$dir/data/strings.txt"
save=$XDG_DATA_HOME/groundline/save.txt
spacing=$(string_int "$dir" ButtonSpacing)
baseline=$(string_int "$dir" TowerBaseline)

render_expected resume_levels 100 60 120 70 --blank text main centre 160 70 Groundline \
    text small centre 160 92 "New Game" text main centre 160 102 Easy \
    text mainred centre 160 112 Normal text main centre 160 122 Hard
render_expected resume_offer 100 60 120 70 --blank text main centre 160 70 Groundline \
    text mainred centre 160 92 "Continue (wave 3)" text small centre 160 107 "New Game" \
    text main centre 160 117 Easy text main centre 160 127 Normal
render_expected resume_wave3 100 218 70 10 --blank text main left 102 220 "Wave 3"
for x in 100 200; do
    render_expected resume_site_$x $((x - 16)) $((baseline - 32)) 32 32
done
towers_stand() { # towers_stand SHOT: both sites show a tower, not bare ground
    local x n
    for x in 100 200; do
        n=$(mismatch "$SHOTS/$1.png" "$SHOTS/resume_site_$x.png" $((x - 16)) $((baseline - 32)) 32 32)
        ((n > 40)) || return 1
    done
}

ASK_LEVEL=1 start_game "$dir"
wait_for_window
move_to 160 114
shows resume_start resume_levels 100 60 120 70 || fail "no choice of level (see resume_start.png)"
click_at 160 114
click_at $((300 + 9)) 229 # the laser's build button, then two places on the ground
click_at 100 150
click_at 200 150
click_at 200 100 3
for ((i = 0; i < 200; ++i)); do
    grep -qx 'wave 3' "$save" 2>/dev/null && break
    sleep 0.1
done
grep -qx 'wave 3' "$save" 2>/dev/null || fail "no game kept at the start of wave 3"
cp "$save" "$WORK/kept.txt"
grep -c '^tower ' "$WORK/kept.txt" | grep -qx 2 || fail "the save holds no two towers: $(cat "$save")"
sleep 3.5 # into wave 3 itself
press_escape
click_at 160 133
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after \"Quit Game\", expected 0"
cmp -s "$save" "$WORK/kept.txt" || fail "quitting changed the kept game"

ASK_LEVEL=1 start_game "$dir"
wait_for_window
move_to 160 94
shows resume_continue resume_offer 100 60 120 70 || fail "no \"Continue (wave 3)\" (see resume_continue.png)"
click_at 160 94
shows resume_back resume_wave3 100 218 70 10 || fail "the continued game is not in wave 3"
towers_stand resume_back || fail "the towers are not where they stood (see resume_back.png)"
cmp -s "$save" "$WORK/kept.txt" || fail "the continued game saved another file: $(diff "$save" "$WORK/kept.txt")"
press_escape
click_at 160 123 # "Start Over": the level is chosen again, as at a new start
move_to 160 114
shows resume_again resume_levels 100 60 120 70 3 || fail "no choice of level after \"Start Over\" (see resume_again.png)"
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
[[ ! -s $GAME_ERR ]] || fail "printed on stderr: $(head -c 200 "$GAME_ERR")"
