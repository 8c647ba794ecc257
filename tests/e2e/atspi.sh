#!/bin/bash
# The main window as a screen reader meets it: the real program under Xvfb,
# on a private D-Bus session with its own accessibility (AT-SPI) bus, read
# and pressed through AT-SPI by atspi_probe.py.
#   atspi.sh <janken executable> <its folder>
# The program's output and the probe's report are kept in ./atspi/.
set -u

EXE=${1:?janken executable}
APP_DIR=${2:?folder of janken}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# shellcheck source-path=SCRIPTDIR source=lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Debian's AT-SPI bindings belong to the system's Python, whatever python3
# comes first on PATH.
PYTHON=/usr/bin/python3
BUS_LAUNCHER=/usr/libexec/at-spi-bus-launcher

need_tools Xvfb xdotool dbus-daemon timeout
[ -x "$EXE" ] || fail "no program at $EXE"
[ -x "$BUS_LAUNCHER" ] || skip "no $BUS_LAUNCHER (Debian package at-spi2-core)"
[ -x "$PYTHON" ] || skip "no $PYTHON"
"$PYTHON" -c 'import gi; gi.require_version("Atspi", "2.0"); import pyatspi' 2>/dev/null ||
    skip "$PYTHON cannot import pyatspi (Debian packages python3-pyatspi, gir1.2-atspi-2.0)"

e2e_folders atspi
STARTED=$(now_ms)

private_session
export PULSE_SERVER=unix:$E2E_TMP/no-sound-server

# Every process of this run carries this mark, also those the buses start
# on their own (the accessibility bus and its registry), so that all of them
# can be found and ended by their ids at the end.
RUN_MARK="JANKEN_ATSPI_RUN=$E2E_TMP"
export "${RUN_MARK?}"

marked_pids() {
    (
        unset JANKEN_ATSPI_RUN  # the search itself is no part of the run
        grep -lzxF "$RUN_MARK" /proc/[0-9]*/environ 2>/dev/null |
            sed -n 's|^/proc/\([0-9]*\)/environ$|\1|p'
    )
}

end_marked() {
    local sig pid
    for sig in TERM KILL; do
        for pid in $(marked_pids); do
            kill -"$sig" "$pid" 2>/dev/null
        done
        [ "$sig" = TERM ] && [ -n "$(marked_pids)" ] && sleep 0.3
    done
}
E2E_CLEANUPS+=(end_marked)

start_xvfb

# A session bus of our own; the program and the probe meet the
# accessibility bus through it, as they would in a desktop session.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$E2E_TMP/session-bus" \
    >"$E2E_TMP/dbus.log" 2>&1 &
own $! dbus-daemon
for _ in $(seq 1 100); do
    [ -S "$E2E_TMP/session-bus" ] && break
    sleep 0.05
done
[ -S "$E2E_TMP/session-bus" ] || fail "the private session bus did not start"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/session-bus

"$BUS_LAUNCHER" --launch-immediately >"$E2E_TMP/a11y-bus.log" 2>&1 &
own $! at-spi-bus-laun

# Qt joins the accessibility bus only when asked to, and only on xcb.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
start_app "$EXE" "$APP_DIR" "$LOG"
find_window "$APP_PID" "じゃんけん" 10000 >/dev/null || {
    sed 's/^/  janken: /' "$LOG"
    fail "the main window did not appear"
}

echo "AT-SPI probe:"
timeout 40 "$PYTHON" "$HERE/atspi_probe.py" 2>&1 | tee "$OUT/probe.log"
probe=${PIPESTATUS[0]}
check "$probe" "the probe found everything it looked for (status $probe)"
app_running "$APP_PID"
check $? "the program is still running after the probe"

# Everything this run started ends with it.
end_marked
left=$(for pid in $(marked_pids); do
    echo "$pid $(cat "/proc/$pid/comm" 2>/dev/null);"
done)
[ -z "$left" ]
check $? "no process of the run is left (${left:-none})"

echo "took $(($(now_ms) - STARTED)) ms"
[ "$failures" = 0 ] || fail "$failures check(s) failed"
echo "PASS"
