# shellcheck shell=bash
# Helpers of the benchmark script; sourced by bash, never run alone. They
# drive the real program under a private Xvfb server the way a person does:
# pointer clicks through xdotool.

# Every process we start is remembered here as "pid name" and ended on exit,
# by its id, if that id still names the same program (ids are reused).
E2E_PIDS=()
E2E_CLEANUPS=()

own() {
    E2E_PIDS+=("$1 $2")
}

still_ours() {
    [ "$(cat "/proc/$1/comm" 2>/dev/null)" = "$2" ]
}

e2e_cleanup() {
    local entry pid name cmd sig
    for cmd in "${E2E_CLEANUPS[@]}"; do
        eval "$cmd" >/dev/null 2>&1 || true
    done
    for sig in TERM KILL; do
        for entry in "${E2E_PIDS[@]}"; do
            read -r pid name <<<"$entry"
            # A program that has ended has its status file; its id is not ours.
            [ -e "${E2E_TMP:-/nonexistent}/rc.$pid" ] && continue
            still_ours "$pid" "$name" && kill -"$sig" "$pid" 2>/dev/null
        done
        [ "$sig" = TERM ] && sleep 0.3
    done
    [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*"
    exit 1
}

need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "'$tool' is not installed"
    done
}

now_ms() {
    # bash's own clock where it has one: no process per reading.
    if [ -n "${EPOCHREALTIME:-}" ]; then
        local us=${EPOCHREALTIME/[.,]/}
        echo $((us / 1000))
    else
        echo $(($(date +%s%N) / 1000000))
    fi
}

# A session of our own: fresh runtime and home folders, and no session bus,
# so that nothing of the caller's desktop (its sound server, its bus, its
# settings) takes part. Without a bus address libdbus would try to launch
# one through X, which the program does not need.
private_session() {
    export XDG_RUNTIME_DIR=$E2E_TMP/run HOME=$E2E_TMP/home
    mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
    chmod 700 "$XDG_RUNTIME_DIR"
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-session-bus
}

# Starts the program from its folder (it opens the chimes by bare name),
# on the X platform even when the caller runs with QT_QPA_PLATFORM=offscreen.
# Sets APP_PID. A small wrapper waits for it and leaves its exit status in
# $E2E_TMP/rc.$APP_PID, written whole (renamed into place).
start_app() {
    local exe=$1 dir=$2 log=$3 pidfile="$E2E_TMP/app.pid"
    rm -f "$pidfile"
    (
        cd "$dir" || exit 1
        export QT_QPA_PLATFORM=xcb
        "$exe" >>"$log" 2>&1 &
        child=$!
        echo "$child" >"$pidfile"
        wait "$child"
        status=$?
        { echo "$status" >"$E2E_TMP/rc.$child.new" &&
            mv "$E2E_TMP/rc.$child.new" "$E2E_TMP/rc.$child"; } 2>/dev/null
    ) &
    local i
    for i in $(seq 1 500); do
        [ -s "$pidfile" ] && break
        sleep 0.01
    done
    [ -s "$pidfile" ] || fail "could not start $exe in $dir"
    APP_PID=$(cat "$pidfile")
    local name=${exe##*/}
    own "$APP_PID" "${name:0:15}"
}

app_running() {
    [ ! -e "$E2E_TMP/rc.$1" ]
}

# Prints the id of the visible window of process $1 whose title matches the
# extended regex $2, waiting up to $3 ms; prints nothing when none appears.
find_window() {
    local pid=$1 name=$2 limit=$3 start id
    start=$(now_ms)
    while :; do
        id=$(xdotool search --onlyvisible --all --pid "$pid" --name "$name" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        app_running "$pid" || return 1
        [ $(($(now_ms) - start)) -ge "$limit" ] && return 1
        sleep 0.02
    done
}

# A left click at client pixel ($2,$3) of window $1.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Starts a private Xvfb on a free display number, 1024 x 768, and exports DISPLAY.
# -noreset: between two programs nobody is connected, and a server that
# resets then refuses the next one for a moment.
start_xvfb() {
    local fdfile="$E2E_TMP/xvfb.display" i
    : >"$fdfile"
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset 9>"$fdfile" \
        >"$E2E_TMP/xvfb.log" 2>&1 &
    own $! Xvfb
    for i in $(seq 1 100); do
        if [ -s "$fdfile" ]; then
            DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
            export DISPLAY
            xdotool getmouselocation >/dev/null 2>&1 && return 0
        fi
        sleep 0.1
    done
    sed 's/^/  xvfb: /' "$E2E_TMP/xvfb.log"
    skip "Xvfb did not start"
}
