#!/usr/bin/env bash
# The menu's Settings page as drawn; its volume stepped down to 90 %, shown at once and saved;
# quit and start again: the file and the page still say 90 %.
source "$(dirname "$0")/lib.sh"

dir=$(copy_data_calm)
settings=$XDG_CONFIG_HOME/groundline/settings.txt
page=(80 66 160 84)
expect_page() { # expect_page NAME VOLUME: the page with the mouse on none of its rows
    render_expected "$1" "${page[@]}" --blank text small centre 160 70 Settings \
        text main left 84 86 Volume text main centre 180 86 - text main centre 206 86 "$2%" \
        text main centre 232 86 + text main left 84 98 "Full Screen" text main centre 206 98 Off \
        text main left 84 110 "Pause When Left" text main centre 206 110 Off \
        text main left 84 122 "Starting Speed" text main centre 206 122 1x \
        text main centre 160 140 Back
}
open_page() { # open_page: Escape, then the menu's Settings
    press_escape
    click_at 160 103
    move_to 160 180
}
expect_page settings_100 100
expect_page settings_90 90

start_game "$dir"
wait_for_window
open_page
shows settings_page settings_100 "${page[@]}" || fail "the Settings page differs (see settings_page.png)"
click_at 180 89
move_to 160 180
shows settings_lower settings_90 "${page[@]}" || fail "the page does not show 90% (see settings_lower.png)"
grep -qx 'volume=90' "$settings" || fail "the volume was not saved: $(cat "$settings")"
click_at 160 143 # Back, then Quit Game
click_at 160 133
wait_for_exit 5
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after \"Quit Game\", expected 0"

start_game "$dir"
wait_for_window
open_page
shows settings_kept settings_90 "${page[@]}" || fail "90% is not kept across a restart (see settings_kept.png)"
grep -qx 'volume=90' "$settings" || fail "the restart changed the volume kept: $(cat "$settings")"
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
