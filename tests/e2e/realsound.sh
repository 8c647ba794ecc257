#!/bin/bash
# The chimes as a person hears them: the program under Xvfb plays into a
# private PulseAudio server with a null sink, whose monitor is recorded.
#   realsound.sh <janken executable> <its folder>
# Then the program is started and ended with 終了 + Return 100 times in a
# row, the answer given while the exit chime is still loading. The
# recordings and screenshots are kept in ./realsound/.
set -u

EXE=${1:?janken executable}
APP_DIR=${2:?folder of janken and its chimes}

# shellcheck source-path=SCRIPTDIR source=lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

need_tools Xvfb xdotool import pulseaudio pactl parec sox soxi awk timeout
[ -x "$EXE" ] || fail "no program at $EXE"
for chime in pinpon endpinpon; do
    [ -r "$APP_DIR/$chime.wav" ] || fail "no chime $APP_DIR/$chime.wav beside the program"
done

e2e_folders realsound

RATE=16000

# Prints "start_ms end_ms peak_rms" for each stretch of sound in the sound
# file $1: 20 ms windows above -40 dBFS, gaps under 120 ms bridged, so that
# a chime's notes make one stretch.
bursts() {
    sox "$1" -t dat -r $RATE -c 1 - 2>/dev/null |
        awk -v W=0.02 'NR > 2 { w = int($1 / W); s[w] += $2 * $2; n[w]++; if (w > last) last = w }
            END {
                on = 0
                for (i = 0; i <= last; i++) {
                    rms = n[i] ? sqrt(s[i] / n[i]) : 0
                    if (rms > 0.01) {
                        if (on && (i - end) * W * 1000 < 120) { end = i + 1 }
                        else {
                            if (on) printf "%d %d %.3f\n", start * W * 1000, end * W * 1000, peak
                            on = 1; start = i; end = i + 1; peak = 0
                        }
                        if (rms > peak) peak = rms
                    }
                }
                if (on) printf "%d %d %.3f\n", start * W * 1000, end * W * 1000, peak
            }'
}

# "least to most ms, median m ms" for the numbers on stdin.
spread() {
    sort -n | awk '{ v[NR] = $1 }
        END { if (NR) printf "%d to %d ms, median %d ms", v[1], v[NR], v[int((NR + 1) / 2)]; else printf "-" }'
}

# Records the null sink into raw file $1 from now on; sets PAREC.
# Small fragments, or parec hands its data over in bursts of seconds. The
# recording's clock: parec takes a while to connect, so its origin is the
# moment the first data arrive (T0), less what had arrived by then (B0).
start_recording() {
    rm -f "$1"
    parec -d t.monitor --rate=$RATE --channels=1 --format=s16le --raw --latency-msec=50 >"$1" &
    PAREC=$!
    own "$PAREC" parec
    local i
    for i in $(seq 1 500); do
        [ -s "$1" ] && break
        sleep 0.02
    done
    [ -s "$1" ] || skip "parec records nothing from the null sink's monitor"
    T0=$(now_ms)
    B0=$(stat -c %s "$1")
}

# The time into the current recording, in ms.
rec_ms() {
    echo $(($(now_ms) - T0 + B0 / (2 * RATE / 1000)))
}

# Ends the recording into raw file $1 and keeps it as wav file $2.
stop_recording() {
    # A last stretch of silence lets parec hand over what it still holds.
    sleep 0.5
    kill "$PAREC"
    wait "$PAREC" 2>/dev/null
    sox -t raw -r $RATE -e signed -b 16 -c 1 "$1" "$2"
}

# ---- a private sound server and X server ------------------------------------------
private_session
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
E2E_CLEANUPS+=("pulseaudio --kill")
pulseaudio -n --daemonize=yes --exit-idle-time=-1 \
    --load="module-null-sink sink_name=t" \
    --load="module-native-protocol-unix auth-anonymous=1" >"$OUT/pulseaudio.log" 2>&1
for i in $(seq 1 50); do
    timeout 5 pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
if ! timeout 5 pactl info >/dev/null 2>&1; then
    sed 's/^/  pulseaudio: /' "$OUT/pulseaudio.log"
    skip "the private PulseAudio server did not start"
fi
[ -s "$XDG_RUNTIME_DIR/pulse/pid" ] && own "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" pulseaudio
echo "PulseAudio server at $PULSE_SERVER"

start_xvfb
echo "Xvfb on $DISPLAY"

# ---- the chime files ------------------------------------------------------------------
# Measured the same way as the recording, to compare like with like.
declare -A SOUNDING
for chime in pinpon endpinpon; do
    file_s=$(soxi -D "$APP_DIR/$chime.wav")
    read -r b_start b_end b_peak < <(bursts "$APP_DIR/$chime.wav")
    [ -n "${b_end:-}" ] || fail "$chime.wav is silent"
    SOUNDING[$chime]=$((b_end - b_start))
    echo "$chime.wav: ${file_s} s long, sounding ${SOUNDING[$chime]} ms, peak RMS ${b_peak}"
done
awk -v a="$(soxi -D "$APP_DIR/pinpon.wav")" -v b="$(soxi -D "$APP_DIR/endpinpon.wav")" \
    'BEGIN { exit !(a > 0.9 && a < 1.1 && b > 1.4 && b < 1.6) }' ||
    fail "the chime files are not about 1.0 s (pinpon) and 1.5 s (endpinpon) long"

# ---- one session, recorded --------------------------------------------------------
RAW=$E2E_TMP/recording.raw
start_recording "$RAW"
start_app "$EXE" "$APP_DIR" "$LOG"
MAIN=$(find_window "$APP_PID" '^ じゃんけん$' 20000) || {
    sed 's/^/  janken: /' "$LOG"
    fail "the main window did not appear within 20 s"
}
# A quiet start: any sound now would be one nobody asked for.
sleep 1.5

CLICK_AT=() CLICK_WHAT=() CLICK_CHIME=()
press() {
    # press <x> <y> <what> <chime expected>
    CLICK_AT+=("$(rec_ms)") CLICK_WHAT+=("$3") CLICK_CHIME+=("$4")
    click "$MAIN" "$1" "$2"
}

press 456 12 "初期化" pinpon
sleep 3

press 392 12 "HELP" pinpon
HELPWIN=$(find_window "$APP_PID" 'ヘルプ' 5000) || fail "no help window after HELP"
sleep 2.5
screenshot "$OUT/01-help.png"
click "$HELPWIN" 532 12   # its 閉じる
sleep 0.5
[ -z "$(xdotool search --onlyvisible --all --pid "$APP_PID" --name 'ヘルプ' 2>/dev/null)" ] ||
    fail "the help window is still open after 閉じる"

press 32 12 "終了, then いいえ" endpinpon
QUESTION=$(find_window "$APP_PID" '^じゃんけん$' 5000) || fail "no question window after 終了"
sleep 2.5
wait_focus "$QUESTION" 3000 || echo "  (note: the question has no keyboard focus)"
xdotool key Escape   # いいえ, the question's escape button
sleep 0.7
app_running "$APP_PID" || fail "the program ended although いいえ was answered"
[ -z "$(xdotool search --onlyvisible --all --pid "$APP_PID" --name '^じゃんけん$' 2>/dev/null)" ] ||
    fail "the question is still open after いいえ"

# The answer waits until the chime is over: はい ends the program at once.
press 32 12 "終了, then はい" endpinpon
QUESTION=$(find_window "$APP_PID" '^じゃんけん$' 5000) || fail "no question window after 終了"
sleep 2.5
wait_focus "$QUESTION" 3000 || echo "  (note: the question has no keyboard focus)"
xdotool key Return
wait_exit "$APP_PID" 5000
echo "after はい: exit status ${EXIT_RC:-none} after ${EXIT_MS} ms"
sleep 0.5
END_MS=$(rec_ms)
stop_recording "$RAW" "$OUT/recording.wav"
echo "recorded $(soxi -D "$OUT/recording.wav") s"

check "$([ -n "$EXIT_RC" ] && [ "$EXIT_MS" -le 2000 ] && [ "$EXIT_RC" = 0 ]; echo $?)" \
    "はい ends the program within 2 s with status 0"

mapfile -t FOUND < <(bursts "$OUT/recording.wav")
echo "sounds in the recording (start end peak):"
printf '  %s\n' "${FOUND[@]}"
check "$(awk -v e="$END_MS" -v s="$(soxi -D "$OUT/recording.wav")" 'BEGIN { print (s * 1000 >= e - 300) ? 0 : 1 }')" \
    "the recording covers the whole session"

# Each press owns the time from just before it to just before the next one:
# there it must have made exactly one sound, of its chime's length.
detected=0
declare -A claimed=()
n=${#CLICK_AT[@]}
for ((i = 0; i < n; i++)); do
    from=$((CLICK_AT[i] - 300))
    if ((i + 1 < n)); then to=$((CLICK_AT[i + 1] - 300)); else to=$END_MS; fi
    chime=${CLICK_CHIME[i]}
    want=${SOUNDING[$chime]}
    hits=()
    for ((k = 0; k < ${#FOUND[@]}; k++)); do
        read -r s e peak <<<"${FOUND[k]}"
        if ((s >= from && s < to)); then
            hits+=("$s $e $peak")
            claimed[$k]=1
        fi
    done
    if [ ${#hits[@]} -eq 1 ]; then
        read -r s e peak <<<"${hits[0]}"
        len=$((e - s)) delay=$((s - CLICK_AT[i]))
        good=$(awk -v len=$len -v want="$want" -v peak="$peak" -v delay=$delay \
            'BEGIN { print (len >= want - 250 && len <= want + 250 && peak >= 0.1 && delay <= 1500) ? 0 : 1 }')
        echo "${CLICK_WHAT[i]}: a sound ${delay} ms after the press, ${len} ms long" \
            "(${chime}.wav sounds ${want} ms), peak RMS ${peak}"
        check "$good" "${CLICK_WHAT[i]} plays $chime.wav"
        [ "$good" = 0 ] && detected=$((detected + 1))
    else
        echo "${CLICK_WHAT[i]}: ${#hits[@]} sounds between ${from} and ${to} ms"
        check 1 "${CLICK_WHAT[i]} plays $chime.wav once"
    fi
done
for ((k = 0; k < ${#FOUND[@]}; k++)); do
    [ -n "${claimed[$k]:-}" ] || check 1 "no sound outside the chimes (found ${FOUND[k]})"
done
echo "chimes detected: $detected of $n"

# ---- 100 quick exits ------------------------------------------------------------------
# 終了 and Return at once: the question is answered while the exit chime is
# still loading or just opening its sound stream, which must neither crash
# nor hang the program. Click and key go out in one xdotool call, the key
# 20 to 85 ms after the click: the earliest come before the question has the
# focus and are lost (then Return is pressed again once it has), the later
# ones answer it within the few tens of milliseconds the chime needs to start.
RUNS=100
clean=0
at_once=0
# Recorded too, to tell how far each exit chime got before its program ended.
start_recording "$E2E_TMP/exits.raw"
loop_start=$(now_ms)
for run in $(seq 1 $RUNS); do
    log_from=$(stat -c %s "$LOG")
    start_app "$EXE" "$APP_DIR" "$LOG"
    why=""
    delay=$((20 + (run % 14) * 5))
    if ! win=$(find_window "$APP_PID" '^ じゃんけん$' 20000); then
        why="no main window"
    else
        xdotool mousemove --window "$win" 32 12 click --delay 0 1 \
            sleep "0.0$(printf %02d "$delay")" key --delay 0 Return
        answered=$(now_ms)
        wait_exit "$APP_PID" 300
        if [ -z "$EXIT_RC" ] &&
            q=$(xdotool search --onlyvisible --all --pid "$APP_PID" --name '^じゃんけん$' 2>/dev/null) &&
            [ -n "$q" ]; then
            # Too early: the question was not there yet to take the key.
            if wait_focus "$q" 3000; then
                xdotool key Return
                answered=$(now_ms)
            else
                why="the question never got the keyboard focus"
            fi
        else
            at_once=$((at_once + 1))
        fi
        if [ -z "$why" ]; then
            wait_exit "$APP_PID" 5000
            took=$(($(now_ms) - answered))
            if [ -z "$EXIT_RC" ]; then
                why="still running 5 s after はい"
            elif [ "$EXIT_RC" != 0 ]; then
                why="exit status $EXIT_RC, ${took} ms after はい"
            elif [ "$took" -gt 2000 ]; then
                why="ended only ${took} ms after はい"
            fi
        fi
    fi
    if [ -z "$why" ]; then
        clean=$((clean + 1))
    else
        echo "  run $run (Return ${delay} ms after the click): $why"
        tail -c +$((log_from + 1)) "$LOG" | sed 's/^/    | /'
        screenshot "$OUT/exit-run$run.png"
        if app_running "$APP_PID"; then
            kill -9 "$APP_PID" 2>/dev/null
            wait_exit "$APP_PID" 3000
        fi
    fi
done
echo "exits clean: $clean of $RUNS ($((($(now_ms) - loop_start) / 1000)) s)"
echo "the Return sent with the click answered the question in $at_once of $RUNS runs"
stop_recording "$E2E_TMP/exits.raw" "$OUT/exits.wav"
bursts "$OUT/exits.wav" >"$E2E_TMP/exits.bursts"
echo "exit chimes heard before the end: $(wc -l <"$E2E_TMP/exits.bursts") of $RUNS runs," \
    "sounding $(awk '{ print $2 - $1 }' "$E2E_TMP/exits.bursts" | spread)"
check "$([ "$clean" -eq "$RUNS" ]; echo $?)" "every quick exit is clean"

if grep -q . "$LOG"; then
    echo "program output (distinct lines):"
    sort "$LOG" | uniq -c | sed 's/^/  | /'
fi
if [ "$failures" -gt 0 ]; then
    echo "FAIL: $failures check(s) wrong; recording and screenshots in $OUT"
    exit 1
fi
echo "PASS"
