#!/bin/bash
# The installed tree as a desktop expects it: the program and its chimes, the
# desktop entry, metainfo and manual pages (English, Japanese) under one id,
# each through its validator, and the icon at every size; a validator not
# installed is skipped, and says so.   usage: install.sh BUILD_DIR APP_ID
set -u
id=$2 fail=0 skipped=0 prefix=$(mktemp -d) && trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
for file in bin/janken share/janken/{pinpon,endpinpon}.wav share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml share/man/{,ja/}man1/janken.1 share/icons/hicolor/{32x32,64x64,128x128,256x256}/apps/$id.png; do
    [ -e "$prefix/$file" ] && echo "ok   $file" || { echo "FAIL missing $file"; fail=1; }
done
# The program finds its chimes from bin/, wherever it is started.
! grep -q '^Path=' "$prefix/share/applications/$id.desktop" || { echo "FAIL: the desktop entry sets Path="; fail=1; }
validate() {  # TOOL COMMAND...: the validator must say nothing of errors or warnings
    tool=$1 && shift
    if ! command -v "$tool" >/dev/null; then echo "SKIPPED: $tool is not installed (make test installs it)"; skipped=1; return; fi
    report=$("$@" 2>&1) && ! echo "$report" | grep -qiE 'error|warning' && echo "ok   $tool" && return
    echo "FAIL $tool:" && echo "$report" && fail=1
}
validate desktop-file-validate desktop-file-validate "$prefix/share/applications/$id.desktop"
validate appstreamcli appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml"
for row in "C man/man1" "ja man/ja/man1"; do  # each page found for its language, without a warning
    set -- $row && page=$(MANPATH=$prefix/share/man man -L $1 -w janken)
    [ "$page" = "$prefix/share/$2/janken.1" ] || { echo "FAIL man -L $1 finds '$page'"; fail=1; }
    validate man sh -c "LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l '$page' >/dev/null"
    validate groff sh -c "groff -k -Tutf8 -man -ww -z '$page'"
done
[ $fail = 0 ] && [ $skipped = 1 ] && exit 77
exit $fail
