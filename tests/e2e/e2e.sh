#!/bin/bash
# The program as a person meets it: a real window under Xvfb, clicked with
# xdotool and photographed with ImageMagick, playing into a private
# PulseAudio server whose null sink is recorded: rounds, automatic play, the
# chimes, and the end by はい while the exit chime plays.
#   usage: e2e.sh JANKEN APP_DIR OUT_DIR
set -u
EXE=$1 APP=$2 OUT=$3
skip() { echo "SKIPPED: $*"; exit 77; }
for tool in dbus-run-session Xvfb xdotool import convert pulseaudio parec sox; do
    command -v $tool >/dev/null || skip "$tool is not installed (make test installs it)"
done
# A session bus of its own, as a desktop has one.
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- bash "$0" "$@"
failed=0
check() { if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failed=1; fi; }
T=$(mktemp -d) && mkdir -p "$OUT" && rm -f "$OUT"/*.png
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$T"' EXIT
export XDG_RUNTIME_DIR=$T HOME=$T QT_QPA_PLATFORM=xcb && unset PULSE_SERVER
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$T/display" 2>/dev/null &
pulseaudio -n --daemonize=no --exit-idle-time=-1 --load="module-null-sink sink_name=t" \
    --load="module-native-protocol-unix auth-anonymous=1" 2>/dev/null &
for _ in $(seq 100); do [ -s "$T/display" ] && [ -S "$T/pulse/native" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$T/display")
xdotool getdisplaygeometry >/dev/null 2>&1 && [ -S "$T/pulse/native" ] || skip "Xvfb or PulseAudio did not start"
parec -d t.monitor --rate=16000 --channels=1 --format=s16le --raw --latency-msec=50 >"$T/sound.raw" & PAREC=$!

click() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; sleep "${3:-0.3}"; }
answer() {  # answers the exit question, the program's other window, with key $1
    for _ in $(seq 100); do
        Q=$(xdotool search --onlyvisible --pid $PID --name . | grep -vx "$WIN" | head -1)
        [ -n "$Q" ] && xdotool windowfocus --sync "$Q" key "$1" && return
        sleep 0.05
    done
}
ends_within_2s() {  # process $PID ends with status 0 within 2 s
    for _ in $(seq 20); do kill -0 $PID 2>/dev/null || { wait $PID; return; }; sleep 0.1; done
    kill -9 $PID; return 1
}
shot() { import -window "$WIN" "$T/shot.png"; }
crop() { convert "$T/shot.png" -crop "$1" +repage ppm:- | md5sum | cut -c1-32; }

(cd "$APP" && exec "$EXE" 2>>"$T/stderr") & PID=$!
WIN=$(timeout 10 xdotool search --sync --onlyvisible --pid $PID --name '^ じゃんけん$' | head -1)
sleep 0.5 && shot && cp "$T/shot.png" "$OUT/start.png"  # mapped is not yet ready for clicks
check "nothing only a later command needs is loaded at start" '! grep -qE "libpulse|canberra-|imageformats" /proc/$PID/maps'
hands=" $(crop 89x81+72+40) $(crop 89x81+200+40) $(crop 89x81+328+40)"  # rock, scissors, paper

# Rounds by hand: each shows three of the hand pictures and rewrites the table.
for round in 1 2 3 4 5; do
    click 388 264 && click 388 304 0.5 && shot && table=$(crop 150x270+134+205) && shown=0
    for x in 72 200 328; do [[ $hands == *" $(crop 89x81+$x+40)"* ]] && shown=$((shown + 1)); done
    check "round $round: three hand pictures shown, the table rewritten" '[ $shown = 3 ] && [ "$table" != "${last:-}" ]'
    last=$table
done

# Automatic play adds rounds two a second, until 自動停止.
shot && before=$(crop 220x340+30+205) && click 388 360 2.3 && click 388 400 0.6
shot && after=$(crop 220x340+30+205) && cp "$T/shot.png" "$OUT/automatic.png" && sleep 1.2 && shot
check "automatic play counted rounds, and stopped" '[ "$before" != "$after" ] && [ "$after" = "$(crop 220x340+30+205)" ]'

# The chimes: 初期化, HELP (its window closed again), 終了 answered いいえ, then はい.
click 456 12 2 && click 392 12 2
check "the sound server's client is loaded once a chime is asked for" 'grep -q libcanberra-pulse /proc/$PID/maps'
xdotool mousemove --window "$(xdotool search --onlyvisible --pid $PID --name 'ヘルプ' | head -1)" 530 12 click 1
sleep 0.5 && click 32 12 2 && answer Escape && sleep 0.5
check "いいえ leaves the program running" 'kill -0 $PID'
click 32 12 2 && answer Return
check "はい ends the program with status 0 within 2 s" ends_within_2s
sleep 0.5 && kill $PAREC && wait $PAREC 2>/dev/null
# Lengths of the loud stretches (20-ms windows), gaps under 0.16 s bridged.
chimes=$(sox -t raw -r 16000 -e signed -b 16 -c 1 "$T/sound.raw" "$OUT/chimes.wav" 2>/dev/null && sox "$OUT/chimes.wav" -t dat - 2>/dev/null | awk 'NR > 2 { w = int($1 / 0.02); s[w] += $2 * $2; n[w]++; last = w }
    END { for (i = 0; i <= last; i++) { loud = n[i] && s[i] / n[i] > 0.0001
          if (loud && !on) { on = 1; from = i } if (!loud && on && i - to > 8) { on = 0; printf "%.1f ", (to - from + 1) * 0.02 }
          if (loud) to = i } if (on) printf "%.1f", (to - from + 1) * 0.02 }')
heard() { echo "$chimes" | awk '{ exit !($1 >= 0.6 && $2 >= 0.6 && $3 >= 0.9 && NF <= 4) }'; }
check "初期化, HELP and 終了 chime once each, はい's perhaps cut off (heard, in seconds: $chimes)" heard

echo "     stderr: $(sort -u "$T/stderr" | head -3)"
exit $failed
