#!/bin/bash
# The options, answered without a display (a chosen platform counts as one), else how to
# run it; one version in the program and the package.   usage: options.sh JANKEN VERSION CHANGELOG
set -u
exe=$1 version=$2 changelog=$3 fail=0 T=$(mktemp -d) && trap 'rm -rf "$T"' EXIT
# Rows: [variables] arguments | status | first line of standard output | all of standard error (Qt warns where ja_JP.UTF-8 is not generated)
while IFS= read -r row; do
    set -- ${row%%|*} && vars=() && while [[ ${1:-} == *=* ]]; do vars+=("$1") && shift; done
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=C.UTF-8 XDG_RUNTIME_DIR="$T" "${vars[@]}" \
        timeout 10 "$exe" "$@" >"$T/out" 2>"$T/err"
    got="${row%%|*}|$?|$(head -1 "$T/out")|$(cat "$T/err")"
    [ "$got" = "$row" ] && echo "ok   $row" || { echo "FAIL $got, expected $row"; fail=1; }
done <<ROWS
--help|0|Usage: janken [options]|
LANG=ja_JP.UTF-8 QT_LOGGING_RULES=default.warning=false -h|0|使い方: janken [オプション]|
LANGUAGE=ja -h|0|使い方: janken [オプション]|
--version|0|janken $version|
-platform offscreen --version|0|janken $version|
--bogus|2||janken: Unknown option 'bogus'. See janken --help.
-style fusion extra|2||janken: Unexpected argument 'extra'. See janken --help.
|1||janken: no display found (DISPLAY is not set); to run without a screen: xvfb-run -a janken
ROWS
head -1 "$changelog" | grep -qF "($version-" || { echo "FAIL debian/changelog is not at $version-REVISION"; fail=1; }
exit $fail
