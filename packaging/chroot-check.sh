#!/bin/bash
# Installs a built package into a fresh copy of a minimal Debian 12 tree, as
# a user's apt-get would, starts the program under Xvfb there, then purges
# the package and checks that nothing of it is left. Needs root and the
# Debian mirror. The pristine tree is made once with
#   debootstrap --variant=minbase bookworm /var/tmp/deb12 http://deb.debian.org/debian
#   tar --numeric-owner --xattrs -cpf /var/tmp/deb12-pristine.tar -C /var/tmp/deb12 .
# usage: packaging/chroot-check.sh build-package/janken_VERSION_ARCH.deb [PRISTINE_TAR]
set -euo pipefail

deb=$(realpath "$1")
pristine=${2:-/var/tmp/deb12-pristine.tar}
root=$(mktemp -d /var/tmp/janken-chroot.XXXXXX)
mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}" || true; done
    rm -rf "$root"
}
trap cleanup EXIT

tar --numeric-owner --xattrs -xpf "$pristine" -C "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# No services started by maintainer scripts inside the chroot.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
for d in proc sys dev dev/pts; do
    mount --bind "/$d" "$root/$d"
    mounted+=("$root/$d")
done
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 /bin/sh -c "$1"; }

fail=0
echo "== apt-get install ./${deb##*/}"
in_root "apt-get update -qq && apt-get install -y -q ./tmp/${deb##*/} >/tmp/install.log 2>&1" ||
    { tail -n 30 "$root/tmp/install.log"; echo "FAIL: install"; exit 1; }
grep -E '^[0-9]+ upgraded' "$root/tmp/install.log"
in_root "dpkg -L janken" >"$root/tmp/janken.list"

echo "== libraries"
if in_root "ldd /usr/bin/janken" | grep 'not found'; then
    echo "FAIL: unresolved libraries"; fail=1
fi

echo "== janken under xvfb-run"
in_root "apt-get install -y -q --no-install-recommends xvfb xauth >/dev/null 2>&1"
# Started as the desktop entry starts it; it must still be running after 5 s.
if in_root 'cd /usr/share/janken && xvfb-run -a sh -c "janken >/tmp/janken.out 2>&1 & pid=\$!; sleep 5; kill -0 \$pid && kill \$pid"'; then
    echo "ok   running after 5 s"
else
    echo "FAIL: janken did not stay up"; cat "$root/tmp/janken.out"; fail=1
fi

echo "== apt-get remove --purge janken"
in_root "apt-get remove --purge -y -q janken >/tmp/remove.log 2>&1" || { echo "FAIL: remove"; exit 1; }
# Every file of the package gone; a folder may stay only while another
# package owns it (hicolor-icon-theme's size folders, say) or it holds others.
while IFS= read -r path; do
    [ "$path" = /. ] && continue
    [ -e "$root$path" ] || [ -L "$root$path" ] || continue
    if [ -d "$root$path" ] && ! [ -L "$root$path" ]; then
        if [ -n "$(ls -A "$root$path")" ] || in_root "dpkg -S '$path'" >/dev/null 2>&1; then continue; fi
    fi
    echo "FAIL: left after purge: $path"; fail=1
done <"$root/tmp/janken.list"
if in_root "dpkg -s janken" >/dev/null 2>&1; then echo "FAIL: janken still known to dpkg"; fail=1; fi

[ $fail -eq 0 ] && echo "chroot-check: ${deb##*/} installed, started and purged cleanly"
exit $fail
