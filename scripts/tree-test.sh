#!/bin/bash
# Runs the README's test command as a new user of SUITE would: in a fresh
# minimal tree of that suite with nothing but make added, from a fresh clone
# of this repository's HEAD; make test installs the rest. Needs root and the
# Debian mirror this machine's apt uses (scripts/tree.sh).
# usage: scripts/tree-test.sh [SUITE]   (trixie unless given)
set -euo pipefail
. "$(dirname "$0")/tree.sh"

suite=${1:-trixie}
top=$(cd "$(dirname "$0")/.." && pwd)
tree_enter "$suite"
trap tree_leave EXIT
git clone -q "$top" "$TREE/root/janken"
echo "== $suite: make test in a fresh clone of $(git -C "$top" rev-parse --short HEAD)"
in_tree "apt-get update -qq && apt-get install -y -qq --no-install-recommends make >/dev/null 2>&1" ||
    { echo "FAIL ($suite): make did not install"; exit 1; }
status=0
# Then Orca, as it speaks on this suite: the announcements of a newer Qt.
in_tree "cd /root/janken && make test && make test-orca" >"$TREE/tmp/test.log" 2>&1 || status=$?
# The suite's results; all of the log when it fails.
if [ $status -ne 0 ]; then cat "$TREE/tmp/test.log"; fi
sed -n '/tests passed\|tests failed out of/,$p' "$TREE/tmp/test.log"
[ $status -eq 0 ] || { echo "FAIL ($suite): make test"; exit 1; }
echo "ok   $suite: make test passed"
