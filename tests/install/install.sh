#!/bin/sh
# Installs the build into a scratch prefix and checks the tree a desktop
# expects: the program and its chimes, a valid desktop entry, and the icon
# at every size.
# usage: install.sh BUILD_DIR
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

fail=0
check() { if [ -e "$prefix/$1" ]; then echo "ok   $1"; else echo "FAIL missing $1"; fail=1; fi; }
check bin/janken
check share/janken/pinpon.wav
check share/janken/endpinpon.wav
check share/applications/janken.desktop
for size in 32 64 128 256; do
    check "share/icons/hicolor/${size}x${size}/apps/janken.png"
done
[ -x "$prefix/bin/janken" ] || { echo "FAIL: bin/janken is not executable"; fail=1; }

entry="$prefix/share/applications/janken.desktop"
for key in 'Name=' 'Name\[ja\]=' 'Comment\[ja\]=' 'Categories=Education;Math;' 'Exec=janken' 'Icon=janken'; do
    grep -q "^$key" "$entry" || { echo "FAIL: the desktop entry lacks $key"; fail=1; }
done
# The program finds its chimes from bin/, wherever it is started.
grep -q '^Path=' "$entry" && { echo "FAIL: the desktop entry still sets Path="; fail=1; }
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || { echo "FAIL: desktop-file-validate"; fail=1; }
else
    echo "SKIPPED: desktop-file-validate is not installed"
    exit 77
fi
exit $fail
