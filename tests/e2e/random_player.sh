#!/usr/bin/env bash
# A random player: 2,000 clicks, drags, right clicks and key presses (Escape, P, the shortcuts
# and keys the game ignores) drawn from a fixed seed, anywhere on the field, the build bar, the
# towers' menus and the Escape menu, against quick waves, so that towers go up and down, waves
# land, games are lost and started over. The game must live through all of it. Between the
# rounds the player makes sure of the menu's rarer items: the sound switch (its setting lands in
# the settings file) and "Start Over" (its wipe blacks out the top of the window). At the end
# "Quit Game" must close the game with exit code 0.
source "$(dirname "$0")/lib.sh"

SEED=${RANDOM_PLAYER_SEED:-20261207}
ACTIONS=2000
ROUNDS=10
GAME_LIMIT=150

dir=$(copy_data)
# A wave a second after the last, marching so fast that it lands within two or three seconds,
# against a base of three: unpaused, games are lost within seconds; money enough for the random
# clicks to build and upgrade.
printf '%s\n' TimeBetweenWaves=1 Wave1SpeedBase=1500 Wave1SpeedMax=3000 StartingHealth=3 \
    StartingMoney=3000 >>"$dir/data/strings.txt"
start_game "$dir"
wait_for_window
render_expected random_quit 118 128 84 12 --blank text main centre 160 130 "Quit Game"
settings=$XDG_CONFIG_HOME/groundline/settings.txt

alive() {
    kill -0 "$GAME_PID" 2>/dev/null && return 0
    wait "$GAME_PID"
    local code=$?
    GAME_PID=
    tail -n 20 "$GAME_ERR" >&2
    fail "the game ended with exit code $code under the random player, seed $SEED"
}

# The window's pixel of a back-buffer position.
wx() { echo $(($1 * SCALE + SCALE / 2)); }

# A random back-buffer position where the player's hand goes: the build bar and tower menus,
# the towers on the ground line, the Escape menu's items or anywhere. Never on "Quit Game",
# which would end the run early.
random_spot() {
    local x y r
    while :; do
        r=$((RANDOM % 100))
        if ((r < 30)); then
            x=$((200 + RANDOM % 120)) y=$((218 + RANDOM % 22))
        elif ((r < 50)); then
            x=$((RANDOM % 320)) y=$((180 + RANDOM % 34))
        elif ((r < 55)); then
            x=$((115 + RANDOM % 90)) y=$((105 + RANDOM % 22))
        else
            x=$((RANDOM % 320)) y=$((RANDOM % 240))
        fi
        # Neither "Quit Game" nor the settings page's "Full Screen" (which takes the window away
        # from xdotool); the menu's "Settings" shares that band, so the page is left alone too.
        ((x >= 116 && x <= 204 && y >= 127 && y <= 141)) && continue
        ((x >= 84 && x <= 236 && y >= 96 && y <= 108)) || break
    done
    SPOT="$(wx "$x") $(wx "$y")"
}

KEYS=(Escape Escape p space Return a x Up Left BackSpace Tab 1 2 3 f n h r Delete F1)

# One round: the actions as a single xdotool command line, so that 2,000 of them take well under
# a minute. A button is held 7 ms: the game sees every press, however short, through Allegro's
# mouse callback, and acts on the release at its next frame.
play_round() {
    local n=$1 cmd=() r
    for ((k = 0; k < n; ++k)); do
        r=$((RANDOM % 100))
        random_spot
        if ((r < 45)); then
            cmd+=(mousemove --window "$WID" $SPOT mousedown 1 sleep 0.007 mouseup 1 sleep 0.007)
        elif ((r < 60)); then
            cmd+=(mousemove --window "$WID" $SPOT mousedown 1 sleep 0.007)
            random_spot
            cmd+=(mousemove --window "$WID" $SPOT sleep 0.007 mouseup 1 sleep 0.007)
        elif ((r < 75)); then
            cmd+=(mousemove --window "$WID" $SPOT mousedown 3 sleep 0.007 mouseup 3 sleep 0.007)
        else
            cmd+=(key "${KEYS[RANDOM % ${#KEYS[@]}]}" sleep 0.007)
        fi
    done
    xdotool windowfocus "$WID" "${cmd[@]}"
}

# Opens the Escape menu whatever state the random player left. Escape toggles it, and keys
# pressed during a "Start Over" wipe (the random player's own, perhaps) wait in the keyboard
# buffer and are read one a frame after it, so the menu only counts as open once it stays open.
menu_shown() {
    move_to 160 180
    shot random_menu
    (($(mismatch "$SHOTS/random_menu.png" "$SHOTS/random_quit.png" 118 128 84 12) == 0))
}

open_menu() {
    local i
    for ((i = 0; i < 8; ++i)); do
        if menu_shown; then
            sleep 0.7
            menu_shown && return 0
            continue
        fi
        press_escape
        sleep 0.3
    done
    fail "the Escape menu does not open after the random player (see random_menu.png)"
}

switch_sound() {
    local before attempt
    before=$(cat "$settings" 2>/dev/null)
    for ((attempt = 0; attempt < 3; ++attempt)); do
        open_menu
        click_at 160 112
        sleep 0.2
        [[ -f $settings && $(cat "$settings") != "$before" ]] && return 0
        log "the sound switch changed nothing (attempt $((attempt + 1)))"
    done
    fail "the sound switch did not change the kept setting ('$before')"
}

start_over() {
    local attempt
    for ((attempt = 0; attempt < 3; ++attempt)); do
        open_menu
        click_at 160 122
        sleep 0.1
        shot random_wipe
        # The top edge is black while the bars close, the middle line while they open, so one
        # of the two is black whenever the shot lands within the wipe's second.
        if [[ $(pixel "$SHOTS/random_wipe.png" 320 10) == 0,0,0 ||
            $(pixel "$SHOTS/random_wipe.png" 320 240) == 0,0,0 ]]; then
            sleep 1.2
            return 0
        fi
        log "no wipe after \"Start Over\" (attempt $((attempt + 1)))"
    done
    fail "\"Start Over\" shows no wipe (see random_wipe.png)"
}

RANDOM=$SEED
lost=0
for ((round = 1; round <= ROUNDS; ++round)); do
    started=$SECONDS
    play_round $((ACTIONS / ROUNDS))
    # The keys a round leaves in the game's keyboard buffer (64 at most, read one a frame) and
    # a "Start Over" wipe it may have begun are over well within this.
    sleep 1.5
    alive
    shot "random_round$round"
    # A lost game greys the field below its words and story; that band is blue sky otherwise.
    (($(saturation "$SHOTS/random_round$round.png" 0 162 320 24) == 0)) && lost=$((lost + 1))
    log "round $round of $ROUNDS played in $((SECONDS - started)) s"
    case $((round % 4)) in
    1) switch_sound ;;
    3) start_over ;;
    esac
    alive
done
log "$lost of $ROUNDS rounds ended on the game-over screen"
((lost > 0)) || fail "no round ended on the game-over screen: the random player never lost a game"

for ((attempt = 0; attempt < 3; ++attempt)); do
    open_menu
    click_at 160 132 # "Quit Game"
    wait_for_exit 5
    [[ $GAME_CODE == running ]] || break
    log "still running after \"Quit Game\" (attempt $((attempt + 1)))"
done
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after \"Quit Game\", expected 0"
