#!/bin/bash
# Checks the package packaging/build-deb.sh left in OUT_DIR: lintian on the
# binary and source packages, then what lintian checks only in part, on the
# files as the .deb installs them: the AppStream metainfo, the desktop entry,
# the manual page, and that their names and versions agree with each other
# and with the package. Every error and every warning fails; lintian's info
# and pedantic tags are shown but pass.
# usage: packaging/check-deb.sh OUT_DIR
set -uo pipefail

out=$1
fail=0
bad() { echo "FAIL: $*"; fail=1; }

one() {  # the single file matching a pattern, or nothing
    local matches=("$@")
    [ ${#matches[@]} -eq 1 ] && [ -e "${matches[0]}" ] && echo "${matches[0]}"
}
deb=$(one "$out"/janken_*.deb) || { echo "FAIL: no single janken_*.deb in $out"; exit 1; }
changes=$(one "$out"/janken_*.changes) || { echo "FAIL: no single .changes in $out"; exit 1; }
dsc=$(one "$out"/janken_*.dsc) || { echo "FAIL: no single .dsc in $out"; exit 1; }

echo "== lintian ${changes##*/} ${dsc##*/}"
report=$(lintian --fail-on error,warning --display-info --pedantic "$changes" "$dsc" 2>&1)
status=$?
# Its note that it runs as root is no tag.
report=$(grep -v '^running with root privileges is not recommended!$' <<<"$report")
[ -n "$report" ] && echo "$report"
[ $status -eq 0 ] || bad "lintian exited with $status"
if grep -q '^[EW]: ' <<<"$report"; then bad "lintian reports errors or warnings"; fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)
upstream=${version%-*}

# AppStream: one metainfo file, valid, named after its id, for the version
# packaged, launching a desktop entry the package has.
metainfos=("$root"/usr/share/metainfo/*.metainfo.xml)
metainfo=$(one "${metainfos[@]}") || { echo "FAIL: no single metainfo file in the package"; exit 1; }
echo "== appstreamcli validate --no-net ${metainfo#"$root"/}"
report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1)
status=$?
echo "$report"
[ $status -eq 0 ] || bad "appstreamcli exited with $status"
if grep -q '^[EW]: ' <<<"$report"; then bad "appstreamcli reports errors or warnings"; fi
id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$metainfo" | head -n 1)
[ "${metainfo##*/}" = "$id.metainfo.xml" ] || bad "metainfo ${metainfo##*/} is not named after its id '$id'"
release=$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n 1)
[ "$release" = "$upstream" ] || bad "metainfo's latest release '$release' is not the package's version '$upstream'"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[ "$launchable" = "$id.desktop" ] || bad "metainfo launches '$launchable', not '$id.desktop'"

# The desktop entry: valid, and what it names is in the package.
entry="$root/usr/share/applications/$id.desktop"
echo "== desktop-file-validate ${entry#"$root"/}"
if [ -f "$entry" ]; then
    report=$(desktop-file-validate "$entry" 2>&1)
    status=$?
    [ -n "$report" ] && echo "$report"
    # Its hints pass, as lintian's info tags do.
    [ $status -eq 0 ] || bad "desktop-file-validate exited with $status"
    if grep -qE ': (error|warning): ' <<<"$report"; then bad "desktop-file-validate reports errors or warnings"; fi
    key() { sed -n "s/^$1=//p" "$entry"; }
    [ -x "$root/usr/bin/$(key Exec | cut -d' ' -f1)" ] || bad "Exec=$(key Exec) is not in usr/bin"
    [ "$(key Icon)" = "$id" ] || bad "Icon=$(key Icon) is not the id $id"
    for size in 32 64 128 256; do
        icon="usr/share/icons/hicolor/${size}x${size}/apps/$(key Icon).png"
        [ -f "$root/$icon" ] || bad "no icon $icon"
    done
    # The program finds its chimes from bin/: no working folder is set for them.
    [ -z "$(key Path)" ] || bad "Path=$(key Path) is set"
    for chime in pinpon.wav endpinpon.wav; do
        [ -f "$root/usr/share/janken/$chime" ] || bad "no chime usr/share/janken/$chime"
    done
else
    bad "no desktop entry ${entry#"$root"/}"
fi

# The manual pages, English and Japanese, as man shows them in a UTF-8
# locale, and through groff with every warning on; both must say nothing.
for page in usr/share/man/man1/janken.1.gz usr/share/man/ja/man1/janken.1.gz; do
    echo "== man --warnings and groff -ww $page"
    if [ -f "$root/$page" ]; then
        report=$( { LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/$page" >/dev/null; } 2>&1;
                  { zcat "$root/$page" | LC_ALL=C.UTF-8 groff -k -Tutf8 -man -ww -z; } 2>&1)
        [ -n "$report" ] && echo "$report"
        [ -z "$report" ] || bad "the manual page $page has warnings"
        th=$(zcat "$root/$page" | sed -n 's/^\.TH .*"janken \([^"]*\)".*/\1/p')
        [ "$th" = "$upstream" ] || bad "the manual page $page is for version '$th', the package for '$upstream'"
    else
        bad "no manual page $page"
    fi
done

if [ $fail -eq 0 ]; then
    echo "package-check: ${deb##*/} passed"
else
    echo "package-check: ${deb##*/} FAILED"
fi
exit $fail
