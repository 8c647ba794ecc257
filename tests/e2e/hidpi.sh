#!/bin/bash
# The program on a high-density screen: the real windows under Xvfb at the
# scale factors 1, 2 and 1.5, judged on screenshots in device pixels.
#   hidpi.sh <janken executable> <its folder> <folder of guu.bmp pii.bmp paa.bmp>
# At a factor the layout keeps its shape at that many times the size; the
# hand pictures are their bitmaps stretched by nearest neighbour to the
# device size, in the bitmaps' own colours; text is drawn at the device
# resolution, not enlarged; the graph's axes are one logical pixel (the
# factor in device pixels) wide and pure black. The run at factor 1 is the
# yardstick. Screenshots are kept in ./hidpi/ for a look after a failure.
set -u

EXE=${1:?janken executable}
APP_DIR=${2:?folder of janken}
PICTURES=${3:?folder of the hand bitmaps}

# shellcheck source-path=SCRIPTDIR source=lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
MEASURE=$(dirname "${BASH_SOURCE[0]}")/hidpi_measure.awk

need_tools Xvfb xdotool import convert compare awk cmp
[ -x "$EXE" ] || fail "no program at $EXE"
[ -r "$MEASURE" ] || fail "no $MEASURE"
HANDS=(guu pii paa)
for hand in "${HANDS[@]}"; do
    [ -r "$PICTURES/$hand.bmp" ] || fail "no picture $PICTURES/$hand.bmp"
done

e2e_folders hidpi

private_session
export PULSE_SERVER=unix:$E2E_TMP/no-sound-server
# Only QT_SCALE_FACTOR, set per run, decides the density.
unset QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
    QT_SCALE_FACTOR_ROUNDING_POLICY QT_FONT_DPI QT_USE_PHYSICAL_DPI QT_DEVICE_PIXEL_RATIO

# ---- measuring -----------------------------------------------------------------
measure() {
    local mode=$1
    shift
    awk -v mode="$mode" "$@" -f "$MEASURE"
}

# Cuts regions out of image $1 in one pass: for each pair "name WxH+X+Y"
# after it, a plain PPM file $E2E_TMP/<name>.ppm.
cut_regions() {
    local image=$1 args=()
    shift
    while [ $# -ge 2 ]; do
        rm -f "$E2E_TMP/$1.ppm" # nothing of an earlier cut is measured
        args+=("(" +clone -crop "$2" +repage -write "$E2E_TMP/$1.ppm" +delete ")")
        shift 2
    done
    convert "$image" -depth 8 -compress none "${args[@]}" null:
}

# Sets SCALE, and SCALE_NUM / SCALE_DEN to the decimal factor $1 as a
# fraction, for whole-number arithmetic.
set_scale() {
    local int=${1%%.*} frac=""
    [[ $1 == *.* ]] && frac=${1#*.}
    SCALE=$1 SCALE_NUM=$((10#$int$frac)) SCALE_DEN=$((10 ** ${#frac}))
}

# Sets variable $1 to the logical length or position $2 in device pixels at
# scale $SCALE. Qt scales a window's or a widget's position and size each on
# its own and rounds them to the nearest whole pixel, halves away from zero.
dev() {
    printf -v "$1" '%d' $(((2 * $2 * SCALE_NUM + SCALE_DEN) / (2 * SCALE_DEN)))
}

# The region of the logical rectangle x y w h on a screenshot of its window.
rect() {
    local x y w h
    dev x "$1"
    dev y "$2"
    dev w "$3"
    dev h "$4"
    echo "${w}x$h+$x+$y"
}

# The same for a rectangle of the canvas's drawing area, whose device origin
# on a screenshot of the graph window is CANVAS_X, CANVAS_Y.
canvas_rect() {
    local x y w h
    dev x "$1"
    dev y "$2"
    dev w "$3"
    dev h "$4"
    echo "${w}x$h+$((CANVAS_X + x))+$((CANVAS_Y + y))"
}

# Field $2 of a "name value name value ..." measurement $1.
field() {
    local -a words
    read -r -a words <<<"$1"
    local i
    for ((i = 0; i + 1 < ${#words[@]}; i += 2)); do
        [ "${words[i]}" = "$2" ] && echo "${words[i + 1]}" && return
    done
}

# Takes screenshots of window $1 into $2 (a PPM file, quick to write and to
# read) until predicate "$4..." holds for one and the one before is the
# same, up to $3 ms: the window has been painted and is still. Status 1 when
# that did not happen in time. A copy is kept as $OUT/<name>.png.
settled_screenshot() {
    local window=$1 shot=$2 limit=$3 start status=1 previous=$E2E_TMP/previous.ppm
    shift 3
    start=$(now_ms)
    rm -f "$previous"
    while :; do
        import -window "$window" "$shot"
        if cmp -s "$shot" "$previous" && "$@" "$shot"; then
            status=0
            break
        fi
        cp "$shot" "$previous"
        [ $(($(now_ms) - start)) -ge "$limit" ] && break
        sleep 0.05
    done
    convert "$shot" "$OUT/$(basename "$shot" .ppm).png"
    return $status
}

# ---- the pictures --------------------------------------------------------------
# The colours of the source bitmaps, "r,g,b" each.
SOURCE_COLOURS=$(convert "$PICTURES/guu.bmp" "$PICTURES/pii.bmp" "$PICTURES/paa.bmp" -append \
    -depth 8 -compress none ppm:- | measure palette | sort | tr '\n' ' ')
SOURCE_COLOURS=${SOURCE_COLOURS% }
echo "colours of the source bitmaps: $SOURCE_COLOURS"
[ -n "$SOURCE_COLOURS" ] || fail "cannot read the source bitmaps"

# Each player's pictures stand at these logical places, 89x81.
PICTURE_X=(72 200 328)
PICTURE_Y=40
PIC_W=89 PIC_H=81

# Prints the hand whose bitmap, stretched by nearest neighbour to size $2
# (WxH), equals the PPM file $1 pixel for pixel, or "none(differing pixels)".
which_hand() {
    local crop=$1 size=$2 hand expected diffs=""
    for hand in "${HANDS[@]}"; do
        expected=$E2E_TMP/$hand-$size.ppm
        if [ ! -s "$expected" ]; then
            convert "$PICTURES/$hand.bmp" -depth 8 -compress none ppm:- |
                measure stretch -v W="${size%x*}" -v H="${size#*x}" |
                convert ppm:- -depth 8 -compress none "$expected"
        fi
        if cmp -s "$crop" "$expected"; then
            echo "$hand"
            return
        fi
    done
    for hand in "${HANDS[@]}"; do
        diffs="$diffs $hand:$(compare -metric AE "$crop" "$E2E_TMP/$hand-$size.ppm" null: 2>&1)"
    done
    echo "none(${diffs# })"
}

# Checks the three pictures on the main window's screenshot $1.
check_pictures() {
    local shot=$1 p regions=() size colours runs hand w h minrow mincol
    for p in 0 1 2; do
        regions+=("picture$p" "$(rect "${PICTURE_X[p]}" $PICTURE_Y $PIC_W $PIC_H)")
    done
    cut_regions "$shot" "${regions[@]}"
    size=${regions[1]%%+*}
    w=${size%x*} h=${size#*x}
    for p in 0 1 2; do
        colours=$(measure colours -v allowed="$SOURCE_COLOURS" <"$E2E_TMP/picture$p.ppm")
        check "$([ "$(field "$colours" foreign)" = 0 ] && [ "$(field "$colours" present)" = 3 ]; echo $?)" \
            "picture $p ($size): only the bitmaps' colours, all three ($colours)"
        # Each bitmap pixel covers floor(size / 32) or more device pixels
        # across and floor(size / 33) or more down: a shorter run of one
        # colour is a blended or misplaced edge.
        runs=$(measure runs <"$E2E_TMP/picture$p.ppm")
        minrow=$((w / 32)) mincol=$((h / 33))
        check "$([ "$(field "$runs" row)" -ge $minrow ] && [ "$(field "$runs" column)" -ge $mincol ]; echo $?)" \
            "picture $p: hard edges, shortest runs $runs (at least $minrow across, $mincol down)"
        hand=$(which_hand "$E2E_TMP/picture$p.ppm" "$size")
        check "$([ "${hand#none}" = "$hand" ]; echo $?)" \
            "picture $p is a bitmap stretched by nearest neighbour to $size: $hand"
    done
}

# ---- text ----------------------------------------------------------------------
# The caption of ジャンケン inside its button's edge, and the canvas label
# (縦軸は割合), in logical pixels of their windows.
CAPTION=(332 252 113 25)
CANVAS_LABEL=(72 24 96 18)

# Status 0 when text measurement $1 is of text drawn at twice the resolution
# of the factor-1 text whose ink is $2 pixels high: about twice as high, not
# flat 2x2 blocks, with hard steps at its edges.
sharp_text() {
    awk -v h="$(field "$1" height)" -v h1="$2" -v u="$(field "$1" uniform)" \
        -v d="$(field "$1" hard)" 'BEGIN { exit !(h >= 1.6 * h1 && h <= 2.4 * h1 && u <= 0.5 && d >= 0.1) }'
}

# Checks the text in PPM file $1, at factor 2, against the same text at
# factor 1 in PPM file $2; the factor-1 text enlarged twice, by nearest
# neighbour and by interpolation, must fail the same judgement.
check_text() {
    local text=$1 base=$2 what=$3 m m1 mn mb h1
    m=$(measure text <"$text")
    m1=$(measure text <"$base")
    mn=$(convert "$base" -scale 200% -depth 8 -compress none ppm:- | measure text)
    mb=$(convert "$base" -filter Triangle -resize 200% -depth 8 -compress none ppm:- | measure text)
    echo "  $what at factor 1:               $m1"
    echo "  $what at factor 2:               $m"
    echo "  factor 1 enlarged, nearest:      $mn"
    echo "  factor 1 enlarged, interpolated: $mb"
    h1=$(field "$m1" height)
    check "$(sharp_text "$m" "$h1"; echo $?)" \
        "$what is drawn at the device resolution (twice as high, not 2x2 blocks, hard edges)"
    check "$(! sharp_text "$mn" "$h1"; echo $?)" \
        "the same judgement rejects $what at factor 1 enlarged by nearest neighbour"
    check "$(! sharp_text "$mb" "$h1"; echo $?)" \
        "the same judgement rejects $what at factor 1 enlarged by interpolation"
}

# ---- the graph -----------------------------------------------------------------
# The canvas's drawing area: logical 10,42 in the graph window (its box at
# 8,40 inside a two-pixel border), 629x317. Strips across the axes, away
# from ticks, dashes and labels, in logical pixels of the drawing area: the
# vertical axis (x = 100 units) at logical column 57, the horizontal one
# (y = 110 units) at row 290.
VERTICAL_STRIPS=("50 60 16 16" "50 110 16 18" "50 240 16 20")
HORIZONTAL_STRIPS=("65 283 40 12" "300 283 35 12" "520 283 40 12")

# Prints "start width" of the axis in direction $1 (v or h) crossing the
# strips cut as $E2E_TMP/<$1><index>.ppm, in device pixels from the drawing
# area's edge, or "bad <what>" unless every strip shows one straight line of
# one width, pure black between pure white.
axis() {
    local dir=$1 i m f s offset starts=() widths=() start width
    local -n strips=$2
    for i in "${!strips[@]}"; do
        m=$(measure lines -v dir="$dir" <"$E2E_TMP/$dir$i.ppm")
        # scans S single K impure I start A B width C D
        read -r -a f <<<"$m"
        if [ "${f[1]}" != "${f[3]}" ] || [ "${f[5]}" != 0 ] || [ "${f[7]}" != "${f[8]}" ] ||
            [ "${f[10]}" != "${f[11]}" ]; then
            echo "bad strip $i: $m"
            return
        fi
        read -r -a s <<<"${strips[i]}"
        if [ "$dir" = v ]; then dev offset "${s[0]}"; else dev offset "${s[1]}"; fi
        starts+=($((offset + f[7])))
        widths+=("${f[10]}")
    done
    start=$(printf '%s\n' "${starts[@]}" | sort -u)
    width=$(printf '%s\n' "${widths[@]}" | sort -u)
    if [ "$(wc -l <<<"$start")" != 1 ] || [ "$(wc -l <<<"$width")" != 1 ]; then
        echo "bad: starts ${starts[*]}, widths ${widths[*]}"
        return
    fi
    echo "$start $width"
}

# Cuts the axis strips and the canvas label out of graph screenshot $1.
cut_graph() {
    local regions=() i
    for i in "${!VERTICAL_STRIPS[@]}"; do
        # shellcheck disable=SC2086  # the strip is four numbers
        regions+=("v$i" "$(canvas_rect ${VERTICAL_STRIPS[i]})")
    done
    for i in "${!HORIZONTAL_STRIPS[@]}"; do
        # shellcheck disable=SC2086
        regions+=("h$i" "$(canvas_rect ${HORIZONTAL_STRIPS[i]})")
    done
    regions+=(label "$(canvas_rect "${CANVAS_LABEL[@]}")")
    cut_regions "$1" "${regions[@]}"
}

# Something is drawn across the first vertical strip.
graph_painted() {
    local drawn
    # shellcheck disable=SC2086
    cut_regions "$1" painted "$(canvas_rect ${VERTICAL_STRIPS[0]})"
    drawn=$(measure colours -v allowed="255,255,255" <"$E2E_TMP/painted.ppm")
    [ "$(field "$drawn" foreign)" -gt 0 ]
}

# The picture of player C shows skin, and the caption ジャンケン ink.
main_painted() {
    local skin
    cut_regions "$1" skin "$(rect "${PICTURE_X[2]}" $PICTURE_Y $PIC_W $PIC_H)" \
        ink "$(rect "${CAPTION[@]}")"
    skin=$(measure colours -v allowed="255,255,128" <"$E2E_TMP/skin.ppm")
    [ "$(field "$skin" present)" = 1 ] &&
        [ "$(field "$(measure text <"$E2E_TMP/ink.ppm")" ink)" -gt 0 ]
}

# ---- one run -------------------------------------------------------------------
start_at() {
    set_scale "$1"
    export QT_SCALE_FACTOR=$SCALE
    echo "--- QT_SCALE_FACTOR=$SCALE"
    start_app "$EXE" "$APP_DIR" "$LOG"
    MAIN=$(find_window "$APP_PID" '^ じゃんけん$' 20000) || {
        sed 's/^/  janken: /' "$LOG"
        screenshot "$OUT/no-window-$SCALE.png"
        fail "the main window did not appear within 20 s at factor $SCALE"
    }
    window_geometry "$MAIN"
    local want_w want_h
    dev want_w 488
    dev want_h 497
    echo "  main window: ${WIN_W}x$WIN_H device pixels at $WIN_X,$WIN_Y"
    check "$([ "${WIN_W}x$WIN_H" = "${want_w}x$want_h" ]; echo $?)" \
        "main window ${WIN_W}x$WIN_H, expected 488x497 times $SCALE = ${want_w}x$want_h"
    SHOT=$E2E_TMP/main-$SCALE.ppm
    settled_screenshot "$MAIN" "$SHOT" 10000 main_painted ||
        check 1 "the main window is painted and still within 10 s"
}

open_graph() {
    local x y want_w want_h
    dev x 388
    dev y 456
    click "$MAIN" "$x" "$y" # グラフ表示
    GRAPH=$(find_window "$APP_PID" '^ グラフ$' 5000) || {
        screenshot "$OUT/no-graph-$SCALE.png"
        fail "no graph window after グラフ表示 at factor $SCALE"
    }
    window_geometry "$GRAPH"
    dev want_w 650
    dev want_h 378
    echo "  graph window: ${WIN_W}x$WIN_H device pixels at $WIN_X,$WIN_Y"
    check "$([ "${WIN_W}x$WIN_H" = "${want_w}x$want_h" ]; echo $?)" \
        "graph window ${WIN_W}x$WIN_H, expected 650x378 times $SCALE = ${want_w}x$want_h"
    dev CANVAS_X 10
    dev CANVAS_Y 42
    GRAPH_SHOT=$E2E_TMP/graph-$SCALE.ppm
    settled_screenshot "$GRAPH" "$GRAPH_SHOT" 10000 graph_painted ||
        check 1 "the graph is drawn and still within 10 s"
    cut_graph "$GRAPH_SHOT"
}

stop_app() {
    if app_running "$APP_PID" && still_ours "$APP_PID" "$(basename "$EXE" | cut -c1-15)"; then
        kill -TERM "$APP_PID"
    fi
    wait_exit "$APP_PID" 5000
    [ -n "$EXIT_RC" ] || fail "janken did not end within 5 s of SIGTERM"
}

# ---- start ---------------------------------------------------------------------
T0=$(now_ms)
# Room for the graph window at twice its size (1300x756).
start_xvfb_screen 1600x1200x24
echo "Xvfb on $DISPLAY"

# The yardstick: factor 1.
start_at 1
check_pictures "$SHOT"
cut_regions "$SHOT" caption-1 "$(rect "${CAPTION[@]}")"
open_graph
cp "$E2E_TMP/label.ppm" "$E2E_TMP/label-1.ppm"
V1=$(axis v VERTICAL_STRIPS)
H1=$(axis h HORIZONTAL_STRIPS)
echo "  vertical axis (start width): $V1; horizontal axis: $H1"
check "$([ "${V1#* }" = 1 ] && [ "${H1#* }" = 1 ]; echo $?)" "axes one pixel wide and pure black"
stop_app

# Twice the size.
start_at 2
check_pictures "$SHOT"
cut_regions "$SHOT" caption-2 "$(rect "${CAPTION[@]}")"
check_text "$E2E_TMP/caption-2.ppm" "$E2E_TMP/caption-1.ppm" "the caption ジャンケン"
open_graph
V2=$(axis v VERTICAL_STRIPS)
H2=$(axis h HORIZONTAL_STRIPS)
echo "  vertical axis (start width): $V2; horizontal axis: $H2"
check "$([ "${V2#* }" = 2 ] && [ "${H2#* }" = 2 ]; echo $?)" \
    "axes exactly 2 device pixels wide, pure black between pure white"
# The same logical pixel as at factor 1: device pixels 2x and 2x + 1.
if [[ "$V1 $H1 $V2 $H2" == *bad* ]]; then
    check 1 "axes cover the logical pixels they cover at factor 1 (not measurable)"
else
    check "$([ "${V2%% *}" = $((2 * ${V1%% *})) ] && [ "${H2%% *}" = $((2 * ${H1%% *})) ]; echo $?)" \
        "axes cover the logical pixels they cover at factor 1 (vertical ${V1%% *} -> ${V2%% *}, horizontal ${H1%% *} -> ${H2%% *})"
fi
check_text "$E2E_TMP/label.ppm" "$E2E_TMP/label-1.ppm" "the canvas label (縦軸は割合)"
stop_app

# One and a half times: 488 x 1.5 = 732 and 497 x 1.5 = 745.5, which Qt
# rounds to 746.
start_at 1.5
check_pictures "$SHOT"
stop_app

echo "run time $(($(now_ms) - T0)) ms"
if [ -s "$LOG" ]; then
    echo "program output:"
    sed 's/^/  | /' "$LOG"
fi
if [ "$failures" -gt 0 ]; then
    echo "FAIL: $failures check(s) wrong; screenshots in $OUT"
    exit 1
fi
echo "PASS"
