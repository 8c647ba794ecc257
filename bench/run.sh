#!/bin/bash
# The benchmark table: start-up, memory, CPU, work per event and timer rates
# of janken, beside a minimal Qt Widgets program measured in the same run;
# then the browser edition's, beside a page with one button (bench/web.py).
#   bench/run.sh BUILD_DIR [WEB_DIR]
# Runs a private Xvfb (and a private PulseAudio with a null sink when it can,
# so that the chimes load the sound libraries as they would on a desktop).
# Takes about four minutes. Exits 1 when a budget is missed.
set -u
BUILD=$(cd "${1:-build}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
WEB_PAGE=${2:-$HERE/../build-web}/janken.html
APP_DIR=$BUILD/app
JANKEN=$APP_DIR/janken
MINIMAL=$BUILD/bench/bench_minimal_window
PROBE=$BUILD/bench/bench_startup_probe
EVENTS=$BUILD/bench/bench_events
AUTOPLAY=$BUILD/bench/bench_autoplay
STARTS=${JANKEN_BENCH_STARTS:-15}
SESSION_SECONDS=${JANKEN_BENCH_SESSION_SECONDS:-60}
AWAY_SECONDS=${JANKEN_BENCH_AWAY_SECONDS:-30}

# shellcheck source=lib.sh
source "$HERE/lib.sh"
E2E_TMP=$(mktemp -d)
skip() {
    echo "bench: cannot run: $*" >&2
    exit 2
}

for exe in "$JANKEN" "$MINIMAL" "$PROBE" "$EVENTS" "$AUTOPLAY"; do
    [ -x "$exe" ] || skip "$exe is not built (libbenchmark-dev and libxcb-damage0-dev are needed)"
done
need_tools Xvfb xdotool awk

private_session
if command -v pulseaudio >/dev/null 2>&1; then
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    E2E_CLEANUPS+=("pulseaudio --kill")
    pulseaudio -n --daemonize=yes --exit-idle-time=-1 \
        --load="module-null-sink sink_name=t" \
        --load="module-native-protocol-unix auth-anonymous=1" >"$E2E_TMP/pulse.log" 2>&1
    [ -s "$XDG_RUNTIME_DIR/pulse/pid" ] && own "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" pulseaudio
    SOUND="a null-sink PulseAudio server"
else
    export PULSE_SERVER=unix:/nonexistent/janken-bench
    SOUND="no sound server"
fi
start_xvfb
export QT_QPA_PLATFORM=xcb

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
kib() { awk -v key="$2:" '$1 == key {print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# ---- start-up: alternate the two programs so that drift hits both alike ----
echo "start-up: $STARTS starts of each program, alternating..." >&2
(cd "$APP_DIR" && "$PROBE" 1 "$JANKEN" >/dev/null && "$PROBE" 1 "$MINIMAL" >/dev/null) ||
    skip "the start-up probe failed"  # one warm start each, not counted
: >"$E2E_TMP/start.janken"
: >"$E2E_TMP/start.minimal"
for _ in $(seq 1 "$STARTS"); do
    (cd "$APP_DIR" && "$PROBE" 1 "$JANKEN") | awk '$1 == "run" {print $6}' >>"$E2E_TMP/start.janken"
    (cd "$APP_DIR" && "$PROBE" 1 "$MINIMAL") | awk '$1 == "run" {print $6}' >>"$E2E_TMP/start.minimal"
done
start_janken=$(median <"$E2E_TMP/start.janken")
start_minimal=$(median <"$E2E_TMP/start.minimal")

# ---- memory and CPU: the baseline's peak once shown, then janken's session ----
start_app "$MINIMAL" "$APP_DIR" "$E2E_TMP/minimal.log"
find_window "$APP_PID" '.' 10000 >/dev/null || skip "the minimal program showed no window"
sleep 1
rss_minimal=$(kib "$APP_PID" VmHWM)
kill "$APP_PID"

echo "timer rates: ${SESSION_SECONDS} s of automatic play and 10 s of shuffle, offscreen..." >&2
QT_QPA_PLATFORM=offscreen "$AUTOPLAY" >"$E2E_TMP/autoplay" 2>/dev/null &
AUTOPLAY_PID=$!
own "$AUTOPLAY_PID" bench_autoplay

echo "memory and CPU: janken with graph and help open, ${SESSION_SECONDS} + ${AWAY_SECONDS} s of automatic play..." >&2
start_app "$JANKEN" "$APP_DIR" "$E2E_TMP/janken.log"
MAIN=$(find_window "$APP_PID" '^ じゃんけん$' 10000) || skip "janken showed no window"
click "$MAIN" 392 12 # HELP (a chime, then the help window)
find_window "$APP_PID" 'ヘルプ' 5000 >/dev/null ||
    echo "bench: note: no help window found by title" >&2
xdotool windowraise "$MAIN" # no window manager: the help window lies on top
sleep 0.3
click "$MAIN" 388 456 # グラフ表示
find_window "$APP_PID" 'グラフ' 5000 >/dev/null || echo "bench: note: no graph window found" >&2
xdotool windowraise "$MAIN"
sleep 0.3
click "$MAIN" 388 360 # 自動開始
ticks0=$(cpu_ticks "$APP_PID")
t0=$(now_ms)
sleep "$SESSION_SECONDS"
ticks1=$(cpu_ticks "$APP_PID")
t1=$(now_ms)
rss_janken=$(kib "$APP_PID" VmHWM)
# The same play with the pointer off the window. Qt asks the X server where
# the pointer is when a widget under it is shown; the pictures must not
# cost more where the pointer rests.
xdotool mousemove 1020 760
sleep 1
ticks2=$(cpu_ticks "$APP_PID")
t2=$(now_ms)
sleep "$AWAY_SECONDS"
ticks3=$(cpu_ticks "$APP_PID")
t3=$(now_ms)
windows=$(xdotool search --onlyvisible --pid "$APP_PID" --name '.' 2>/dev/null | wc -l)
kill "$APP_PID"
hz=$(getconf CLK_TCK)
share() { awk -v t="$1" -v hz="$hz" -v ms="$2" 'BEGIN {printf "%.2f", 100 * t / hz / (ms / 1000)}'; }
cpu_share=$(share $((ticks1 - ticks0)) $((t1 - t0)))
cpu_away=$(share $((ticks3 - ticks2)) $((t3 - t2)))

wait "$AUTOPLAY_PID"
read -r _ shuffle_ticks shuffle_s < <(grep '^shuffle_ticks' "$E2E_TMP/autoplay")
read -r _ auto_rounds auto_s < <(grep '^auto_rounds' "$E2E_TMP/autoplay")

# ---- work per event, alone on the machine ----
echo "work per event: Google Benchmark, medians of 15 repetitions..." >&2
QT_QPA_PLATFORM=offscreen "$EVENTS" >"$E2E_TMP/events" 2>/dev/null || skip "bench_events failed"
event_us() { awk -v n="$1" '$1 == n {printf "%.1f", $2 / 1000}' "$E2E_TMP/events"; }
event_ms() { awk -v n="$1" '$1 == n {printf "%.2f", $2 / 1e6}' "$E2E_TMP/events"; }

# ---- the table ----
missed=0
verdict() { # verdict <awk condition on v> <value>
    if awk -v v="$2" "BEGIN {exit !($1)}"; then echo "met"; else
        echo "MISSED"
        missed=1
    fi
}
cpu_model=$(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo)
qt_version=$(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null | cut -d+ -f1)
ratio=$(awk -v a="$start_janken" -v b="$start_minimal" 'BEGIN {printf "%.2f", a / b}')
extra=$(awk -v a="$rss_janken" -v b="$rss_minimal" 'BEGIN {printf "%.1f", (a - b) / 1024}')
round=$(event_us round)
graph=$(event_ms graph_drawing+repaint)
v_start=$(verdict 'v <= 1.3' "$ratio")
v_rss=$(verdict 'v <= 9' "$extra")
v_cpu=$(verdict 'v <= 2' "$cpu_share")
v_round=$(verdict 'v < 50' "$round")
v_graph=$(verdict 'v < 5' "$graph")
v_rounds=$(verdict 'v >= 119 && v <= 121' "$auto_rounds")
v_ticks=$(verdict 'v >= 198 && v <= 202' "$shuffle_ticks")

{
    echo "janken benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "machine: $cpu_model, $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo); $(. /etc/os-release && echo "$PRETTY_NAME"), Qt ${qt_version:-?}"
    echo "X: Xvfb, no window manager; sound: $SOUND; baseline: one 488 x 497 window with one label"
    echo
    printf '%-52s %12s %12s %12s %14s  %s\n' measure janken baseline compared budget result
    printf '%-52s %12s %12s %12s %14s  %s\n' "start-up to mapped and painted (median of $STARTS)" \
        "$start_janken ms" "$start_minimal ms" "${ratio}x" "<= 1.3x" "$v_start"
    printf '%-52s %12s %12s %12s %14s  %s\n' "peak RSS, ${SESSION_SECONDS} s automatic play, graph+help ($windows windows)" \
        "$(awk -v k="$rss_janken" 'BEGIN {printf "%.1f MiB", k / 1024}')" \
        "$(awk -v k="$rss_minimal" 'BEGIN {printf "%.1f MiB", k / 1024}')" "+$extra MiB" "<= +9 MiB" "$v_rss"
    printf '%-52s %12s %12s %12s %14s  %s\n' "CPU over ${SESSION_SECONDS} s of automatic play, share of a core" \
        "$cpu_share %" "" "" "<= 2 %" "$v_cpu"
    printf '%-52s %12s %12s %12s %14s  %s\n' "  then ${AWAY_SECONDS} s more with the pointer off the window" "$cpu_away %" "" "" "" ""
    printf '%-52s %12s %12s %12s %14s  %s\n' "one judged round (Pon), every label set (median)" "$round us" "" "" "< 50 us" "$v_round"
    printf '%-52s %12s %12s %12s %14s  %s\n' "  the same, with the repaint it causes" "$(event_us round+repaint) us" "" "" "" ""
    printf '%-52s %12s %12s %12s %14s  %s\n' "  Janken and Pon back to back" "$(event_us whole_round) us" "" "" "" ""
    printf '%-52s %12s %12s %12s %14s  %s\n' "one shuffle tick (median)" "$(event_us shuffle_tick) us" "" "" "" ""
    printf '%-52s %12s %12s %12s %14s  %s\n' "  the same, with the repaint it causes" "$(event_us shuffle_tick+repaint) us" "" "" "" ""
    printf '%-52s %12s %12s %12s %14s  %s\n' "full graph on screen, 3 curves of 998 (median)" "$graph ms" "" "" "< 5 ms" "$v_graph"
    printf '%-52s %12s %12s %12s %14s  %s\n' "  its marks alone, drawn at the repaint" "$(event_ms graph_drawing) ms" "" "" "" ""
    printf '%-52s %12s %12s %12s %14s  %s\n' "help on screen (median)" "$(event_ms help_drawing+repaint) ms" "" "" "" ""
    printf '%-52s %12s %12s %12s %14s  %s\n' "rounds judged in $auto_s s of automatic play" "$auto_rounds" "" "" "120 +- 1" "$v_rounds"
    printf '%-52s %12s %12s %12s %14s  %s\n' "ticks of the 50 ms shuffle timer in $shuffle_s s" "$shuffle_ticks" "" "" "200 +- 2" "$v_ticks"
} | tee "$BUILD/bench/table.txt"

# ---- the browser edition: Debian's headless Chromium, driven by Debian's Selenium ----
/usr/bin/python3 "$HERE/web.py" "$WEB_PAGE" "$HERE/bare.html" "$HERE/pictures.html" | tee -a "$BUILD/bench/table.txt"
[ "${PIPESTATUS[0]}" -eq 2 ] && exit 2 # it has said why
# The verdicts were reached in subshells; the table says whether one was missed.
! grep -q MISSED "$BUILD/bench/table.txt"
