#!/usr/bin/env bash
# The command line: --help and --version answer on stdout and exit 0 without opening a window; an
# unknown option or a bad value is one line on stderr and exit 2; without a display, exit 3. --data finds the data from any
# folder; --wave starts a game at a later wave, and such a practice game keeps no best result.
source "$(dirname "$0")/lib.sh"

elsewhere=$WORK/elsewhere
mkdir -p "$elsewhere"
run() { # run ARGS...: the game from a folder without data/; sets CODE
    (cd "$elsewhere" && timeout -k 2 10 "$GAME" "$@" >"$WORK/opt.out" 2>"$WORK/opt.err")
    CODE=$?
}

run --help
[[ $CODE == 0 ]] || fail "--help: exit code $CODE, expected 0"
for option in --help --version "--scale N" "--wave N" "--data DIR" --fullscreen --windowed --difficulty; do
    grep -q -- "$option" "$WORK/opt.out" || fail "--help does not list $option"
done
[[ ! -s $WORK/opt.err ]] || fail "--help printed on stderr: $(head -c 200 "$WORK/opt.err")"
run --version
[[ $CODE == 0 ]] || fail "--version: exit code $CODE, expected 0"
grep -qx 'groundline [0-9][0-9.]*' "$WORK/opt.out" || fail "--version says: $(head -c 100 "$WORK/opt.out")"

for args in --turbo "--scale 5" "--scale" "--wave 0" "--wave=x" "stray"; do
    run $args
    [[ $CODE == 2 ]] || fail "'$args': exit code $CODE, expected 2"
    lines=$(wc -l <"$WORK/opt.err")
    [[ $lines == 1 ]] || fail "'$args': $lines lines on stderr, expected one"
    [[ ! -s $WORK/opt.out ]] || fail "'$args' printed on stdout"
    log "$args: $(cat "$WORK/opt.err")"
done

# No display that answers: one line and exit 3, never a crash in the input drivers.
for display in unset :399; do
    if [[ $display == unset ]]; then
        (cd "$SRC" && env -u DISPLAY timeout -k 2 10 "$GAME" >"$WORK/opt.out" 2>"$WORK/opt.err")
    else
        (cd "$SRC" && DISPLAY=$display timeout -k 2 10 "$GAME" >"$WORK/opt.out" 2>"$WORK/opt.err")
    fi
    CODE=$?
    [[ $CODE == 3 && $(wc -l <"$WORK/opt.err") == 1 ]] ||
        fail "DISPLAY $display: exit code $CODE, expected 3 with one line: $(head -c 200 "$WORK/opt.err")"
done

# A data folder of any name, named from a folder without data/; lost at once, from wave 5.
dir=$(copy_data_calm)
mv "$dir/data" "$dir/tuned"
printf 'StartingHealth=0\n' >>"$dir/tuned/strings.txt"
start_game "$elsewhere" --data "$dir/tuned" --wave 5
wait_for_window
DATA_DIR=$SRC
render_expected options_practice 60 70 200 20 --blank \
    text smallred centre 160 74 "Waves Defeated: 0" text smallred centre 160 82 "Best: 0"
shows options_over options_practice 60 70 200 20 ||
    fail "a game from wave 5 lost at once does not show 0 waves defeated and best 0"
"$CLOSE_WINDOW" "$WID" || fail "close_window could not send the message"
wait_for_exit 10
[[ $GAME_CODE == 0 ]] || fail "exit code $GAME_CODE after the close button, expected 0"
[[ ! -e $XDG_DATA_HOME/groundline/best.txt ]] || fail "a practice game wrote a best result"
