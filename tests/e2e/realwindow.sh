#!/bin/bash
# The main window as a person meets it: a real X window under Xvfb, clicked
# with xdotool, checked on screenshots.
#   realwindow.sh <janken executable> <its folder> <folder of the picture grids>
# Screenshots are kept in ./realwindow/ for a look after a failure.
set -u

EXE=${1:?janken executable}
APP_DIR=${2:?folder of janken}
GRIDS=${3:?folder of guu.txt pii.txt paa.txt}

# shellcheck source-path=SCRIPTDIR source=lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

need_tools Xvfb xdotool import convert compare awk
[ -x "$EXE" ] || fail "no program at $EXE"
for hand in guu pii paa; do
    [ -r "$GRIDS/$hand.txt" ] || fail "no picture grid $GRIDS/$hand.txt"
done

e2e_folders realwindow

# No sound server is wanted here: a fixed unreachable one keeps the program
# from finding (or spawning) a real one; its chimes are then silent.
private_session
export PULSE_SERVER=unix:$E2E_TMP/no-sound-server

# ---- the expected pictures ---------------------------------------------------
# Each picture is its 32x33 grid stretched by nearest neighbour to 89x81.
PIC_W=89 PIC_H=81
for hand in guu pii paa; do
    awk -v W=$PIC_W -v H=$PIC_H '
        { grid[NR - 1] = $0; rows = NR; if (length($0) > cols) cols = length($0) }
        END {
            printf "P3\n%d %d\n255\n", W, H
            for (y = 0; y < H; y++) {
                line = grid[int((2 * y + 1) * rows / (2 * H))]
                for (x = 0; x < W; x++) {
                    c = substr(line, int((2 * x + 1) * cols / (2 * W)) + 1, 1)
                    if (c == ".") print "255 255 255"
                    else if (c == "y") print "255 255 128"
                    else if (c == "#") print "0 0 0"
                    else { print "unknown grid character " c > "/dev/stderr"; exit 2 }
                }
            }
        }' "$GRIDS/$hand.txt" >"$E2E_TMP/$hand.ppm" || fail "cannot read grid $hand.txt"
done

declare -A HAND_NAME=([guu]=rock [pii]=scissors [paa]=paper)
PICTURE_X=(72 200 328)
PICTURE_Y=40
LABEL_X=(80 208 336)
LABEL_Y=160

pixel_diff() {
    compare -metric AE "$1" "$2" null: 2>&1 >/dev/null | awk '{ print int($1) }'
}

# Prints guu, pii or paa for the picture of player $2 on screenshot $1, or
# "unknown(diffs)" when it is none of the three exactly.
classify_picture() {
    local shot=$1 player=$2 crop="$E2E_TMP/crop.ppm" hand diff diffs=""
    convert "$shot" -crop "${PIC_W}x${PIC_H}+$((WIN_X + PICTURE_X[player]))+$((WIN_Y + PICTURE_Y))" \
        +repage -depth 8 "$crop"
    for hand in guu pii paa; do
        diff=$(pixel_diff "$crop" "$E2E_TMP/$hand.ppm")
        if [ "$diff" = 0 ]; then
            echo "$hand"
            return
        fi
        diffs="$diffs $hand:$diff"
    done
    echo "unknown(${diffs# })"
}

# Prints green, blue, red or blank for the text colour of player $2's
# judgement label on screenshot $1. The text is anti-aliased, so the hue of
# its clearly coloured pixels decides; grey and white pixels do not count.
classify_label() {
    local shot=$1 player=$2
    convert "$shot" -crop "73x25+$((WIN_X + LABEL_X[player]))+$((WIN_Y + LABEL_Y))" \
        +repage -depth 8 -compress none ppm:- |
        awk 'NR > 3 { for (i = 1; i <= NF; i++) v[n++] = $i }
             END {
                 for (i = 0; i + 2 < n; i += 3) {
                     r = v[i]; g = v[i + 1]; b = v[i + 2]
                     if (r > g + 60 && r > b + 60) red++
                     else if (b > r + 60 && b > g + 60) blue++
                     else if (g > r + 40 && g > b + 40) green++
                 }
                 red += 0; green += 0; blue += 0
                 if (red + green + blue < 15) { print "blank"; exit }
                 if (red > 3 * (green + blue)) print "red"
                 else if (blue > 3 * (red + green)) print "blue"
                 else if (green > 3 * (red + blue)) print "green"
                 else printf "mixed(r%d,g%d,b%d)\n", red, green, blue
             }'
}

# 1 when hand $1 beats hand $2.
beats() {
    case "$1$2" in
        guupii | piipaa | paaguu) echo 1 ;;
        *) echo 0 ;;
    esac
}

# The colours the three judgement labels must show for hands $1 $2 $3.
expected_colours() {
    local h=("$@") odd=-1 i
    if [ "${h[0]}" = "${h[1]}" ] && [ "${h[1]}" = "${h[2]}" ]; then
        echo "green green green"
        return
    fi
    if [ "${h[0]}" != "${h[1]}" ] && [ "${h[1]}" != "${h[2]}" ] && [ "${h[0]}" != "${h[2]}" ]; then
        echo "green green green"
        return
    fi
    if [ "${h[0]}" = "${h[1]}" ]; then odd=2; elif [ "${h[0]}" = "${h[2]}" ]; then odd=1; else odd=0; fi
    local shared=${h[$(((odd + 1) % 3))]} odd_colour others
    if [ "$(beats "${h[odd]}" "$shared")" = 1 ]; then
        odd_colour=blue others=red
    else
        odd_colour=red others=blue
    fi
    local out=()
    for i in 0 1 2; do
        if [ "$i" = "$odd" ]; then out+=("$odd_colour"); else out+=("$others"); fi
    done
    echo "${out[*]}"
}

# The three totals: あいこ, 一人勝ち, 一人負け.
TOTAL_Y=(240 344 448)
TOTAL_NAME=(draw one-alone-win one-alone-loss)

# Three words, one per total on screenshot $1, each a hash of its pixels:
# which of them changed tells which total was counted.
totals_signature() {
    local shot=$1 y sigs=()
    for y in "${TOTAL_Y[@]}"; do
        sigs+=("$(convert "$shot" -crop "73x25+$((WIN_X + 136))+$((WIN_Y + y))" +repage \
            -format '%#' info: | cut -c1-16)")
    done
    echo "${sigs[*]}"
}

# The names of the totals that differ between signatures $1 and $2.
changed_totals() {
    local -a a b out=()
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    local i
    for i in 0 1 2; do
        [ "${a[i]}" != "${b[i]}" ] && out+=("${TOTAL_NAME[i]}")
    done
    echo "${out[*]:-none}"
}

# The total a round with judgement colours $1 $2 $3 adds to.
expected_total() {
    case "$*" in
        "green green green") echo draw ;;
        *blue*blue*) echo one-alone-loss ;;
        *red*red*) echo one-alone-win ;;
        *) echo "?" ;;
    esac
}

hand_name() {
    echo "${HAND_NAME[$1]:-$1}"
}

# ---- start -------------------------------------------------------------------
start_xvfb
echo "Xvfb on $DISPLAY"
start_app "$EXE" "$APP_DIR" "$LOG"
MAIN=$(find_window "$APP_PID" '^ じゃんけん$' 20000) || {
    sed 's/^/  janken: /' "$LOG"
    screenshot "$OUT/00-no-window.png"
    fail "the main window did not appear within 20 s"
}
sleep 1
window_geometry "$MAIN"
echo "main window: ${WIN_W}x${WIN_H} at $WIN_X,$WIN_Y"
check "$([ "${WIN_W}x${WIN_H}" = 488x497 ]; echo $?)" "client area ${WIN_W}x${WIN_H}, expected 488x497"

screenshot "$OUT/01-start.png"
start_hands=()
for p in 0 1 2; do start_hands+=("$(classify_picture "$OUT/01-start.png" $p)"); done
echo "start pictures: A $(hand_name "${start_hands[0]}"), B $(hand_name "${start_hands[1]}")," \
    "C $(hand_name "${start_hands[2]}")"
check "$([ "${start_hands[*]}" = "guu pii paa" ]; echo $?)" \
    "start pictures are rock, scissors, paper"
start_labels=()
for p in 0 1 2; do start_labels+=("$(classify_label "$OUT/01-start.png" $p)"); done
check "$([ "${start_labels[*]}" = "blank blank blank" ]; echo $?)" \
    "no judgement before the first round (${start_labels[*]})"
totals=$(totals_signature "$OUT/01-start.png")

# ---- rounds by hand ------------------------------------------------------------
# Each round: the three pictures, their judgement colours, and the one total
# that grows. The first round fills in all totals, so from the second on.
ROUNDS=6
for round in $(seq 1 $ROUNDS); do
    click "$MAIN" 388 264   # ジャンケン
    sleep 0.4
    click "$MAIN" 388 304   # ポ　ン
    sleep 0.6
    shot=$OUT/02-round$round.png
    screenshot "$shot"
    hands=() names=() colours=()
    for p in 0 1 2; do
        hands+=("$(classify_picture "$shot" $p)")
        names+=("$(hand_name "${hands[p]}")")
        colours+=("$(classify_label "$shot" $p)")
    done
    new_totals=$(totals_signature "$shot")
    changed=$(changed_totals "$totals" "$new_totals")
    totals=$new_totals
    echo "round $round: hands A ${names[0]}, B ${names[1]}, C ${names[2]};" \
        "labels ${colours[*]}; total changed: $changed"
    case "${hands[*]}" in
        *unknown*)
            check 1 "round $round: every picture shows one of the three hands"
            continue
            ;;
    esac
    expected=$(expected_colours "${hands[@]}")
    check "$([ "${colours[*]}" = "$expected" ]; echo $?)" \
        "round $round: label colours '${colours[*]}', expected '$expected'"
    if [ "$round" -gt 1 ]; then
        counted=$(expected_total "$expected")
        check "$([ "$changed" = "$counted" ]; echo $?)" \
            "round $round: counted as $counted (changed: $changed)"
    fi
done

# ---- automatic play --------------------------------------------------------------
# Two rounds a second, each adding to one total: five screenshots half a
# second apart must see the totals move on.
screenshot "$OUT/03-before-auto.png"
before=$(totals_signature "$OUT/03-before-auto.png")
click "$MAIN" 388 360   # 自動開始
declare -A seen=()
sigs=()
for i in 0 1 2 3 4; do
    sleep 0.5
    screenshot "$OUT/04-auto$i.png"
    sig=$(totals_signature "$OUT/04-auto$i.png")
    sigs+=("$sig")
    seen[$sig]=1
done
states=${#seen[@]}
echo "automatic play: ${states} different totals in 5 screenshots over 2.5 s"
check "$([ "$states" -ge 3 ] && [ "${sigs[0]}" != "${sigs[4]}" ] && [ "${sigs[0]}" != "$before" ]; echo $?)" \
    "the totals keep changing during automatic play"

click "$MAIN" 388 400   # 自動停止
sleep 0.8
screenshot "$OUT/05-stopped-a.png"
sleep 1.2
screenshot "$OUT/05-stopped-b.png"
stopped_a=$(totals_signature "$OUT/05-stopped-a.png")
stopped_b=$(totals_signature "$OUT/05-stopped-b.png")
echo "after 自動停止 the totals $([ "$stopped_a" = "$stopped_b" ] && echo stay || echo change)"
check "$([ "$stopped_a" = "$stopped_b" ]; echo $?)" "the totals stay put after 自動停止"

# ---- the end -----------------------------------------------------------------------
app_running "$APP_PID" || fail "the program ended before 終了 was pressed"
click "$MAIN" 32 12   # 終了
QUESTION=$(find_window "$APP_PID" '^じゃんけん$' 5000) || {
    screenshot "$OUT/06-no-question.png"
    fail "no question window after 終了"
}
sleep 0.3
screenshot "$OUT/06-question.png"
window_geometry "$QUESTION"
echo "question window: ${WIN_W}x${WIN_H} at $WIN_X,$WIN_Y"
check "$(app_running "$APP_PID"; echo $?)" "the program waits for the answer"
wait_focus "$QUESTION" 3000 || echo "  (note: the question has no keyboard focus yet)"
xdotool key Return
wait_exit "$APP_PID" 5000
echo "after Return (はい): exit status ${EXIT_RC:-none} after ${EXIT_MS} ms"
if [ -z "$EXIT_RC" ]; then
    screenshot "$OUT/07-still-running.png"
    check 1 "the program ends within 2 s of はい (still running after 5 s)"
else
    check "$([ "$EXIT_MS" -le 2000 ]; echo $?)" "the program ends within 2 s of はい"
    check "$([ "$EXIT_RC" = 0 ]; echo $?)" "exit status 0"
fi

if [ -s "$LOG" ]; then
    echo "program output:"
    sed 's/^/  | /' "$LOG"
fi
if [ "$failures" -gt 0 ]; then
    echo "FAIL: $failures check(s) wrong; screenshots in $OUT"
    exit 1
fi
echo "PASS"
