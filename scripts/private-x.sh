# Sourced by the scripts that measure the real game in a window: a display and a sound card of
# their own, so that neither the desktop nor another run is disturbed. Both need $work, a
# folder the script removes at its end.

# Starts Xvfb on a free display number (it writes the number to the descriptor it is given);
# sets xvfb to its process id and exports DISPLAY. Fails when no display came up.
start_private_xvfb() {
    local i
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    for ((i = 0; i < 100; ++i)); do
        [[ -s $work/display ]] && break
        sleep 0.05
    done
    [[ -s $work/display ]] || return 1
    export DISPLAY=:$(head -n 1 "$work/display")
}

# Sound into a null device (no ALSA complaints, no noise), settings and best results kept in
# $work instead of the player's own.
use_private_sound_and_files() {
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/alsa.conf"
    export ALSA_CONFIG_PATH=$work/alsa.conf XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share
}
