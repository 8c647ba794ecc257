#!/bin/bash
# Installs a built package into a fresh minimal Debian tree (bookworm unless
# SUITE says otherwise), as a user's apt-get would, starts the program under
# Xvfb there, then purges the package and checks that nothing of it is left.
# Needs root and the Debian mirror this machine's apt uses; the tree is made
# once with debootstrap and cached under /var/tmp (scripts/tree.sh).
# usage: packaging/chroot-check.sh build-package/janken_VERSION_ARCH.deb [SUITE]
set -euo pipefail
. "$(dirname "$0")/../scripts/tree.sh"

deb=$(realpath "$1")
tree_enter "${2:-bookworm}"
trap tree_leave EXIT
cp "$deb" "$TREE/tmp/"

fail=0
echo "== apt-get install ./${deb##*/}"
in_tree "apt-get update -qq && apt-get install -y -q ./tmp/${deb##*/} >/tmp/install.log 2>&1" ||
    { tail -n 30 "$TREE/tmp/install.log"; echo "FAIL: install"; exit 1; }
grep -E '^[0-9]+ upgraded' "$TREE/tmp/install.log"
in_tree "dpkg -L janken" >"$TREE/tmp/janken.list"

echo "== libraries"
if in_tree "ldd /usr/bin/janken" | grep 'not found'; then
    echo "FAIL: unresolved libraries"; fail=1
fi

echo "== janken under xvfb-run"
in_tree "apt-get install -y -q --no-install-recommends xvfb xauth >/dev/null 2>&1"
# Started as the desktop entry starts it; it must still be running after 5 s.
if in_tree 'cd /usr/share/janken && xvfb-run -a sh -c "janken >/tmp/janken.out 2>&1 & pid=\$!; sleep 5; kill -0 \$pid && kill \$pid"'; then
    echo "ok   running after 5 s"
else
    echo "FAIL: janken did not stay up"; cat "$TREE/tmp/janken.out"; fail=1
fi

echo "== apt-get remove --purge janken"
in_tree "apt-get remove --purge -y -q janken >/tmp/remove.log 2>&1" || { echo "FAIL: remove"; exit 1; }
# Every file of the package gone; a folder may stay only while another
# package owns it (hicolor-icon-theme's size folders, say) or it holds others.
while IFS= read -r path; do
    [ "$path" = /. ] && continue
    [ -e "$TREE$path" ] || [ -L "$TREE$path" ] || continue
    if [ -d "$TREE$path" ] && ! [ -L "$TREE$path" ]; then
        if [ -n "$(ls -A "$TREE$path")" ] || in_tree "dpkg -S '$path'" >/dev/null 2>&1; then continue; fi
    fi
    echo "FAIL: left after purge: $path"; fail=1
done <"$TREE/tmp/janken.list"
if in_tree "dpkg -s janken" >/dev/null 2>&1; then echo "FAIL: janken still known to dpkg"; fail=1; fi

[ $fail -eq 0 ] && echo "chroot-check: ${deb##*/} installed, started and purged cleanly"
exit $fail
