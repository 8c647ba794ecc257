#!/bin/bash
# Builds the source package that packaging/build-deb.sh left in OUT_DIR the
# way Debian's build daemons do: in a fresh minimal tree of SUITE with only
# build-essential and the declared Build-Depends (apt-get build-dep on the
# unpacked source), as a user who is not root. A missing build dependency
# fails the build. Then, in the same tree:
#   - the build again, in another folder and later, must give byte-identical
#     .deb files (diffoscope shows how they differ if they do not);
#   - hardening-check on /usr/bin/janken: PIE, stack protector, Fortify,
#     read-only relocations and immediate binding (shown but not required:
#     control-flow protection, which Debian's own programs lack as well, and
#     arm64's branch protection);
#   - lintian --pedantic of that suite on the binary and source packages;
#   - autopkgtest with the null runner: debian/tests on the installed package.
# The .deb files land in OUT_DIR/SUITE/. Needs root and the Debian mirror
# this machine's apt uses (scripts/tree.sh).
# usage: packaging/tree-build.sh OUT_DIR SUITE [JOBS]
set -euo pipefail
. "$(dirname "$0")/../scripts/tree.sh"

out=$(realpath "$1")
suite=$2
jobs=${3:-2}
dsc=$(ls "$out"/janken_*.dsc)
version=$(sed -n 's/^Version: \([0-9]*:\)\?//p' "$dsc")  # without its epoch
source_dir=janken-${version%-*}

started=$SECONDS
step() { echo "== $suite: $* ($((SECONDS - started)) s)"; }
fail() { echo "FAIL ($suite): $*"; exit 1; }
tree_enter "$suite"
trap tree_leave EXIT

step "build-essential and the Build-Depends of $source_dir"
mkdir -p "$TREE/build/first" "$TREE/build/second/elsewhere"
cp "$dsc" "$out"/janken_*.tar.* "$TREE/build/"
in_tree "apt-get update -qq && apt-get install -y -qq --no-install-recommends build-essential >/tmp/apt.log 2>&1 &&
         useradd --home-dir /build --no-create-home builder && chown -R builder: /build &&
         cd /build/first && su builder -s /bin/sh -c 'dpkg-source -x ../${dsc##*/} $source_dir' >/dev/null &&
         apt-get build-dep -y -qq --no-install-recommends ./$source_dir >>/tmp/apt.log 2>&1" ||
    { tail -n 20 "$TREE/tmp/apt.log"; fail "the build dependencies did not install"; }

build() {  # FOLDER: unpack there and build as the builder, with nothing more installed
    in_tree "cd $1 && su builder -s /bin/sh -c '
        { [ -d $source_dir ] || dpkg-source -x /build/${dsc##*/} $source_dir; } &&
        cd $source_dir && DEB_BUILD_OPTIONS=parallel=$jobs dpkg-buildpackage -us -uc -b'" \
        >"$TREE/tmp/build.log" 2>&1 ||
        { tail -n 30 "$TREE/tmp/build.log"; fail "dpkg-buildpackage in $1"; }
}
step "dpkg-buildpackage in /build/first"
build /build/first
step "dpkg-buildpackage again in /build/second/elsewhere"
build /build/second/elsewhere
rm -rf "${out:?}/$suite" && mkdir "$out/$suite"
for deb in "$TREE"/build/first/*.deb; do
    other="$TREE/build/second/elsewhere/${deb##*/}"
    if cmp "$deb" "$other"; then
        echo "ok   ${deb##*/}: byte-identical in both builds ($(sha256sum <"$deb" | cut -c1-16))"
    else
        in_tree "apt-get install -y -qq --no-install-recommends diffoscope-minimal >/dev/null 2>&1;
                 diffoscope /build/first/${deb##*/} /build/second/elsewhere/${deb##*/}" || true
        fail "${deb##*/} is not reproducible"
    fi
    cp "$deb" "$out/$suite/"
done

step "hardening-check /usr/bin/janken"
in_tree "apt-get install -y -qq --no-install-recommends devscripts lintian autopkgtest >>/tmp/apt.log 2>&1" ||
    { tail -n 20 "$TREE/tmp/apt.log"; fail "devscripts, lintian and autopkgtest did not install"; }
# Debian 13's hardening-check also asks on amd64 for arm64's branch protection.
in_tree "mkdir /tmp/deb && dpkg-deb -x /build/first/janken_*.deb /tmp/deb &&
         hardening-check --nocfprotection \$(hardening-check --help | grep -o -m1 -- --nobranchprotection) \
             /tmp/deb/usr/bin/janken" ||
    fail "hardening-check"

step "lintian --pedantic"
report=$(in_tree "lintian --fail-on error,warning --display-info --pedantic /build/first/*.changes /build/${dsc##*/}" 2>&1) ||
    { echo "$report"; fail "lintian"; }
grep -v '^running with root privileges is not recommended!$' <<<"$report" || echo "ok   no tags"

step "autopkgtest -- null"
in_tree "cd /build/first && autopkgtest ./janken_*.deb ./$source_dir -- null" || fail "autopkgtest"
step "done"
