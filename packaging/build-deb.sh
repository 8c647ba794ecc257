#!/bin/bash
# Builds the Debian package in OUT_DIR (make package: build-package/).
# dpkg-buildpackage writes its results beside the tree it builds, so the tree
# is copied to OUT_DIR/src first and the .deb, .buildinfo and .changes land in
# OUT_DIR rather than beside the repository. The source package is made there
# too, from the clean copy: the upstream tarball, then the Debian one.
# usage: packaging/build-deb.sh OUT_DIR [JOBS]
set -euo pipefail

out=$1
jobs=${2:-2}
top=$(cd "$(dirname "$0")/.." && pwd)

mkdir -p "$out"
out=$(cd "$out" && pwd)
# Nothing of an earlier build is left: the copy, the packages, and the
# clean-tree builds' folders.
rm -rf "$out"/*/ "$out"/janken_* "$out"/janken-dbgsym_*
mkdir "$out/src"

# The files git tracks or would add, as they are in the working tree: edits
# not yet committed are packaged, build trees and other ignored files are not.
# Without git (an unpacked tarball), everything but the build trees.
if git -C "$top" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$top" && git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' f; do
            # Skipped: files deleted but not yet committed as such.
            if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
        done | tar --null --no-recursion -T - -cf -) | tar -C "$out/src" -xf -
else
    tar -C "$top" --exclude=./build --exclude='./build-*' --exclude=./obj-\* -cf - . |
        tar -C "$out/src" -xf -
fi

# The upstream tarball: the same files without debian/, as a release made
# from this commit would hold them, with order, owners, modes and times fixed
# so that the same files always give the same bytes.
version=$(dpkg-parsechangelog -l "$out/src/debian/changelog" -S Version)
upstream=${version%-*}
upstream=${upstream#*:}
tar -C "$out" --exclude=src/debian --sort=name --owner=0 --group=0 --numeric-owner \
    --mode=a+rX,u+w,go-w --mtime="@$(dpkg-parsechangelog -l "$out/src/debian/changelog" -S Timestamp)" \
    --transform="s,^src,janken-$upstream," -cf - src | xz -T1 >"$out/janken_$upstream.orig.tar.xz"
(cd "$out" && dpkg-source --build src)
(cd "$out/src" && dpkg-buildpackage -us -uc -b -j"$jobs")

deb=$(ls "$out"/janken_*.deb)
echo "Built: $deb"
