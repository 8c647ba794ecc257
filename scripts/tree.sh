# Minimal Debian trees for the checks that need a clean system: made once
# per suite with debootstrap from the mirror this machine's apt uses, kept
# as a tarball under /var/tmp, and unpacked afresh for every use. Sourced by
# the scripts beside it; needs root.
#   tree_enter SUITE    unpacks a fresh tree into $TREE, mounts what it needs
#   in_tree COMMAND     runs a shell command in it as root
#   tree_leave          ends what still runs there, unmounts, removes it
# The caller sets "trap tree_leave EXIT" once it has entered.

TREE=
TREE_MOUNTS=()

# The mirror of this machine's own Debian sources: the first "deb" entry for
# a release suite (not -security or -updates), from the deb822 .sources
# files or, failing those, the one-line lists.
debian_mirror() {
    local f found
    found=$(
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -f "$f" ] || continue
            awk '
                function flush() { if (deb && release && uri != "") print uri; deb = release = 0; uri = "" }
                /^[ \t]*$/ { flush(); next }
                /^[ \t]*#/ { next }
                tolower($1) == "types:"   { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
                tolower($1) == "uris:"    { uri = $2 }
                tolower($1) == "suites:"  { for (i = 2; i <= NF; i++) if ($i !~ /[-\/]/) release = 1 }
                tolower($1) == "enabled:" { if (tolower($2) == "no") deb = 0 }
                END { flush() }' "$f"
        done
        for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [ -f "$f" ] || continue
            sed -nE 's/^deb[ \t]+(\[[^]]*\][ \t]+)?([^ \t]+)[ \t]+([^ \t/-]+)([ \t].*)?$/\2/p' "$f"
        done
    )
    found=${found%%$'\n'*}
    [ -n "$found" ] || { echo "no Debian mirror found in /etc/apt's sources" >&2; return 1; }
    echo "$found"
}

# The pristine tree of SUITE as a tarball, made now if it is not cached yet.
pristine_tree() {
    local suite=$1 tar=/var/tmp/janken-$1-pristine.tar mirror dir
    if [ ! -s "$tar" ]; then
        mirror=$(debian_mirror) || return 1
        command -v debootstrap >/dev/null ||
            DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >&2
        dir=$(mktemp -d /var/tmp/janken-debootstrap.XXXXXX)
        echo "Making a minimal $suite tree from $mirror (cached as $tar)" >&2
        debootstrap --variant=minbase "$suite" "$dir" "$mirror" >"$dir.log" 2>&1 ||
            { tail -n 20 "$dir.log" >&2; rm -rf "$dir" "$dir.log"; return 1; }
        # Written aside, then renamed: a run cut short leaves no half tarball.
        chmod 755 "$dir"
        tar --numeric-owner --xattrs -cpf "$tar.$$" -C "$dir" . && mv "$tar.$$" "$tar"
        rm -rf "$dir" "$dir.log"
    fi
    echo "$tar"
}

tree_enter() {
    local tar
    tar=$(pristine_tree "$1") || return 1
    TREE=$(mktemp -d "/var/tmp/janken-$1.XXXXXX")
    tar --numeric-owner --xattrs -xpf "$tar" -C "$TREE"
    chmod 755 "$TREE"  # its /, which mktemp made for root alone
    cp /etc/resolv.conf "$TREE/etc/resolv.conf"
    # This machine's own certificate authorities (a network that inspects HTTPS has one), for
    # ca-certificates to add once installed there: the tree reaches what this machine reaches.
    mkdir -p "$TREE/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$TREE/usr/local/share/ca-certificates/" 2>/dev/null || true
    # No services started by maintainer scripts.
    printf '#!/bin/sh\nexit 101\n' >"$TREE/usr/sbin/policy-rc.d"
    chmod +x "$TREE/usr/sbin/policy-rc.d"
    for d in proc sys dev dev/pts; do
        mount --bind "/$d" "$TREE/$d" && TREE_MOUNTS+=("$TREE/$d")
    done
    mount -t tmpfs tmpfs "$TREE/dev/shm" && TREE_MOUNTS+=("$TREE/dev/shm")
}

in_tree() {
    chroot "$TREE" /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/root \
        LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive /bin/sh -c "$1"
}

tree_leave() {
    [ -n "$TREE" ] || return 0
    local p i
    for p in /proc/[0-9]*; do  # servers a test left running there
        [ "$(readlink "$p/root" 2>/dev/null)" = "$TREE" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
    sleep 0.2
    for ((i = ${#TREE_MOUNTS[@]} - 1; i >= 0; i--)); do
        umount "${TREE_MOUNTS[$i]}" 2>/dev/null || umount -l "${TREE_MOUNTS[$i]}"
    done
    # Never removed while anything is still mounted in it: that would be the host's.
    if grep -qF " $TREE/" /proc/mounts; then
        echo "left $TREE in place: something is still mounted there" >&2
    else
        rm -rf "$TREE"
    fi
    TREE=
}
