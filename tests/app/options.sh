#!/bin/bash
# Starting the program: its options are answered before any window and
# without a display (a chosen platform counts as one); otherwise one line on
# standard error says how to run it. One version, the project's, in the
# program and the package.   usage: options.sh JANKEN VERSION CHANGELOG
set -u
exe=$1 fail=0 T=$(mktemp -d) && trap 'rm -rf "$T"' EXIT
# Rows: arguments | status | the first line of standard output | all of standard error
while IFS= read -r row; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$exe" ${row%%|*} >"$T/out" 2>"$T/err"
    got="${row%%|*}|$?|$(head -1 "$T/out")|$(cat "$T/err")"
    [ "$got" = "$row" ] && echo "ok   $row" || { echo "FAIL $got, expected $row"; fail=1; }
done <<ROWS
--help|0|Usage: janken [options]|
--version|0|janken $2|
-v|0|janken $2|
-platform offscreen --version|0|janken $2|
--bogus|2||janken: Unknown option 'bogus'. See janken --help.
-style fusion extra|2||janken: Unexpected argument 'extra'. See janken --help.
|1||janken: no display found (DISPLAY is not set); to run without a screen: xvfb-run -a janken
ROWS
head -1 "$3" | grep -qF "($2)" || { echo "FAIL debian/changelog is not at $2"; fail=1; }
exit $fail
