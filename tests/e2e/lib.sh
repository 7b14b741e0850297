# Helpers shared by the end-to-end scenarios; sourced by every scenario script.
# run_all.sh exports GAME, SIM, CLOSE_WINDOW, PROBE, SRC, SHOTS, WORK, DISPLAY and
# ALSA_CONFIG_PATH.
# Positions are back-buffer pixels (the window shows them SCALE times, 2 unless a scenario starts
# the game with --scale) unless a name says otherwise.
# A scenario prints nothing on success and one line, the reason, on failure; everything else
# goes to stderr, which run_all.sh keeps in SHOTS/<scenario>.log.

set -u

SCENARIO=$(basename "$0" .sh)
GAME_LIMIT=${GAME_LIMIT:-45} # seconds before timeout ends a game that hangs
GAME_PID=
WID=
DATA_DIR=$SRC # where the game under test reads data/ from
SCALE=2       # window pixels per back-buffer pixel of the game under test

# Each scenario keeps its own settings and best result, starting with none.
export XDG_CONFIG_HOME=$WORK/$SCENARIO.config
export XDG_DATA_HOME=$WORK/$SCENARIO.share
# Xvfb has no window manager, so the keyboard follows the pointer and xdotool's own focus moves
# would pause the field now and then; only the scenarios that test the focus pause or the settings
# file itself start with the game's default.
if [[ $SCENARIO != focus && $SCENARIO != kept ]]; then
    mkdir -p "$XDG_CONFIG_HOME/groundline"
    printf 'pause_on_focus_loss=off\n' >"$XDG_CONFIG_HOME/groundline/settings.txt"
fi

log() { echo "[$SCENARIO] $*" >&2; }

fail() {
    echo "$*"
    log "FAIL: $*"
    exit 1
}

stop_game() {
    if [[ -n $GAME_PID ]] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    GAME_PID=
}
trap stop_game EXIT
trap 'exit 1' INT TERM

# The value of a key in DIR/data/strings.txt, as the game reads it: comment lines skipped, the
# value ends at the next "=", the last line of a key wins.
string_value() {
    local dir=$1 key=$2
    awk -F= -v key="$key" '{ sub(/\r$/, "") } /^#/ { next } NF >= 2 && $1 == key { v = $2 }
        END { print v }' "$dir/data/strings.txt"
}
# atoi of a value, 0 for a missing key.
string_int() {
    local v
    v=$(string_value "$1" "$2")
    [[ $v =~ ^[[:space:]]*([+-]?[0-9]+) ]] && echo $((10#${BASH_REMATCH[1]#+})) || echo 0
}

# A copy of the project's data/ in a fresh folder, for runs that change or remove data files.
# Prints the folder.
copy_data() {
    local dir
    dir=$(mktemp -d "$WORK/$SCENARIO.XXXX")
    cp -r "$SRC/data" "$dir/data"
    echo "$dir"
}

# A copy whose first wave never comes while a scenario runs: with no invaders the money and the
# base change only by what the scenario does.
copy_data_calm() {
    local dir
    dir=$(copy_data)
    printf 'TimeBetweenWaves=600\n' >>"$dir/data/strings.txt"
    echo "$dir"
}

# Starts the game in DIR (it reads data/ from there) with the options that follow; stdout and
# stderr go to WORK. The program is $GAME unless PROGRAM names another; --difficulty normal
# follows the options unless ASK_LEVEL is set.
start_game() {
    local dir=$1
    shift
    GAME_OUT=$WORK/$SCENARIO.stdout
    GAME_ERR=$WORK/$SCENARIO.stderr
    # The level is given, so the game goes straight to the field; ASK_LEVEL=1 shows the start
    # screen's choice of level.
    local level=(--difficulty normal)
    [[ -n ${ASK_LEVEL:-} ]] && level=()
    (cd "$dir" && exec timeout -k 2 "$GAME_LIMIT" "${PROGRAM:-$GAME}" "$@" "${level[@]}" \
        >"$GAME_OUT" 2>"$GAME_ERR") &
    GAME_PID=$!
    DATA_DIR=$dir
    log "started the game in $dir (pid $GAME_PID)"
}

# Waits up to SECONDS for the game to end and sets GAME_CODE to its exit code, or to "running".
# (Not a $(...) function: only this shell can wait for the game it started.)
wait_for_exit() {
    local tenths=$(($1 * 10))
    while ((tenths-- > 0)) && kill -0 "$GAME_PID" 2>/dev/null; do
        sleep 0.1
    done
    if kill -0 "$GAME_PID" 2>/dev/null; then
        GAME_CODE=running
        return
    fi
    wait "$GAME_PID"
    GAME_CODE=$?
    GAME_PID=
}

# Finds the game's window and waits until its title is set and the first frames are drawn.
# Sets WID.
wait_for_window() {
    local i name
    # Before the title is set the window carries the program's name, which a search (case
    # blind) would also find; so the exact title is checked as well.
    WID=$(timeout 15 xdotool search --sync --name '^Groundline$' 2>/dev/null | head -n 1)
    [[ -n $WID ]] || fail "no window titled Groundline appeared"
    for ((i = 0; i < 50; ++i)); do
        name=$(xdotool getwindowname "$WID" 2>/dev/null)
        [[ $name == Groundline ]] && break
        sleep 0.1
    done
    [[ $name == Groundline ]] || fail "the window title is '$name', not 'Groundline'"
    # The window opens black; the first frame paints the sky over it.
    for ((i = 0; i < 50; ++i)); do
        if shot .ready 2>/dev/null &&
            [[ $(pixel "$SHOTS/.ready.png" $((160 * SCALE)) $((150 * SCALE))) != "0,0,0" ]]; then
            rm -f "$SHOTS/.ready.png"
            sleep 0.3
            log "window $WID is up"
            return 0
        fi
        sleep 0.1
    done
    fail "the window stayed black"
}

# A screenshot of the window as SHOTS/NAME.png.
shot() {
    import -window "$WID" "$SHOTS/$1.png"
}

# "r,g,b" of one pixel of an image file (window pixels for a screenshot).
pixel() {
    convert "$1" -format '%[fx:int(255*u.p{'"$2,$3"'}.r+0.5)],%[fx:int(255*u.p{'"$2,$3"'}.g+0.5)],%[fx:int(255*u.p{'"$2,$3"'}.b+0.5)]' info:
}

# Width x height of an image file.
image_size() {
    identify -format '%wx%h' "$1"
}

# A region of a screenshot in back-buffer pixels: the window brought back to 320x240, then
# cropped.
crop_field() {
    local image=$1 x=$2 y=$3 w=$4 h=$5 out=$6
    convert "$image" -sample '320x240!' -crop "${w}x${h}+${x}+${y}" +repage "$out"
}

# The strongest colour in a region of a screenshot, in back-buffer pixels: the highest
# saturation found, 0 when every pixel is a grey.
saturation() {
    local image=$1 x=$2 y=$3 w=$4 h=$5
    convert "$image" -sample '320x240!' -crop "${w}x${h}+${x}+${y}" +repage -colorspace HSL \
        -channel G -separate -format '%[fx:int(255*maxima+0.5)]' info:
}

# How many pixels of a region of a screenshot, in back-buffer pixels, have exactly one of the
# given colours: count_colours IMAGE X Y W H R,G,B...
count_colours() {
    local image=$1 x=$2 y=$3 w=$4 h=$5 c hex=
    shift 5
    for c in "$@"; do
        IFS=, read -r r g b <<<"$c"
        hex+=$(printf ' #%02X%02X%02X' "$r" "$g" "$b")
    done
    convert "$image" -sample 50% -crop "${w}x${h}+${x}+${y}" +repage -format %c histogram:info:- |
        awk -v want="$hex" 'BEGIN { n = split(want, list, " "); for (i = 1; i <= n; ++i) wanted[list[i]] = 1 }
            { for (i = 2; i <= NF; ++i) if ($i in wanted) { sum += $1; break } }
            END { print sum + 0 }'
}

# The number of pixels in which two images of one size differ.
pixels_differing() {
    local n
    n=$(compare -metric AE "$1" "$2" null: 2>&1)
    [[ $n =~ ^[0-9]+$ ]] || {
        log "compare $1 $2: $n"
        n=999999
    }
    echo "$n"
}

# The expected look of a region, rendered headless by the probe with the game's own data:
# render_expected OUT X Y W H [--blank] COMMAND... (OUT.png in SHOTS)
render_expected() {
    local out=$1
    shift
    (cd "$DATA_DIR" && "$PROBE" "$WORK/$out.bmp" "$@") >&2 || fail "the probe could not render $out"
    convert "$WORK/$out.bmp" "$SHOTS/$out.png"
    rm -f "$WORK/$out.bmp"
}

# How many of the pixels drawn in the expected image (every pixel, or with --blank only those
# not in the mask colour) differ in the same region of the screenshot.
mismatch() {
    local shot=$1 expected=$2 x=$3 y=$4 w=$5 h=$6 tag
    tag=$(basename "$expected" .png)
    crop_field "$shot" "$x" "$y" "$w" "$h" "$WORK/$tag.seen.png"
    convert "$expected" -transparent '#FF00FF' "$WORK/$tag.over.png"
    convert "$WORK/$tag.seen.png" "$WORK/$tag.over.png" -composite "$WORK/$tag.composed.png"
    pixels_differing "$WORK/$tag.seen.png" "$WORK/$tag.composed.png"
}

# Takes screenshots NAME.png until the region matches EXPECTED (see mismatch) or SECONDS pass.
# The game draws the change a frame or two after the input, so a first shot may be early.
# shows NAME EXPECTED X Y W H [SECONDS]
shows() {
    local name=$1 expected=$2 x=$3 y=$4 w=$5 h=$6 tenths=$((${7:-3} * 10)) n
    while :; do
        shot "$name"
        n=$(mismatch "$SHOTS/$name.png" "$SHOTS/$expected.png" "$x" "$y" "$w" "$h")
        ((n == 0)) && return 0
        ((tenths <= 0)) && break
        sleep 0.2
        tenths=$((tenths - 2))
    done
    log "$name: $n pixels differ from $expected"
    return 1
}

# Mouse input at back-buffer positions: the middle of the scaled pixel.
move_to() {
    xdotool mousemove --window "$WID" $(($1 * SCALE + SCALE / 2)) $(($2 * SCALE + SCALE / 2))
    sleep 0.1
}

# A click the way a hand makes it: the game acts on the release, and the button stays down for
# a few frames first. Button 1 is the left, 3 the right one.
click_at() {
    local button=${3:-1}
    move_to "$1" "$2"
    xdotool mousedown "$button"
    sleep 0.1
    xdotool mouseup "$button"
    sleep 0.15
}

press_key() {
    xdotool windowfocus "$WID"
    sleep 0.1
    xdotool key "$1"
    sleep 0.15
}

press_escape() {
    press_key Escape
}

# Waits until the window has the size WxH (it is mapped before Allegro resizes it).
wait_for_size() {
    local i size
    for ((i = 0; i < 30; ++i)); do
        size=$(xdotool getwindowgeometry "$WID" 2>/dev/null | awk '/Geometry/ { print $2 }')
        [[ $size == "$1" ]] && return 0
        sleep 0.1
    done
    fail "the window is $size, expected $1"
}
