#!/bin/sh
# Installs the build into a scratch prefix and checks the tree a desktop
# expects: the program, its chime player and chimes, a valid desktop entry that starts it
# where the chimes lie, and the icon at every size.
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

# The chime player, loaded by the program on the first chime from its
# library folder: lib/janken/ or lib/<multiarch>/janken/.
player=$(find "$prefix" -name 'libjanken_sound.so*' -type f)
case "$player" in
    "$prefix"/lib/janken/libjanken_sound.so | "$prefix"/lib/*/janken/libjanken_sound.so)
        echo "ok   ${player#"$prefix"/}" ;;
    *) echo "FAIL: the chime player is not in the library folder: '$player'"; fail=1 ;;
esac
if [ -n "$player" ] && ldd "$player" | grep -q 'not found'; then
    echo "FAIL: the chime player's libraries do not resolve"; fail=1
fi

entry="$prefix/share/applications/janken.desktop"
for key in 'Name=' 'Name\[ja\]=' 'Comment\[ja\]=' 'Categories=Education;Math;' 'Exec=janken' 'Icon=janken'; do
    grep -q "^$key" "$entry" || { echo "FAIL: the desktop entry lacks $key"; fail=1; }
done
# The entry's working folder holds the chimes (for the prefix it was configured for).
path=$(sed -n 's/^Path=//p' "$entry")
case "$path" in
    */share/janken) echo "ok   Path=$path" ;;
    *) echo "FAIL: Path=$path"; fail=1 ;;
esac
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || { echo "FAIL: desktop-file-validate"; fail=1; }
else
    echo "SKIPPED: desktop-file-validate is not installed"
    exit 77
fi
exit $fail
