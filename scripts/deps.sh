#!/bin/sh
# Installs the Debian packages the build, the tests and the program need,
# when run as root; otherwise prints the one command that would.
set -eu

PACKAGES="g++ cmake make qt6-base-dev qt6-qpa-plugins libgl-dev libcanberra-dev libcanberra-pulse pkgconf fonts-horai-umefont fonts-ipafont-gothic"
# Only for the tests: a private sound server to play the chimes into and
# record from.
[ "${1:-}" = test ] && PACKAGES="$PACKAGES pulseaudio pulseaudio-utils"
# The benchmarks, built with the program when these are present and run by
# make bench: Google Benchmark, and XCB's damage extension for the start-up
# probe. The tests build them too, and make bench needs the test tools, and
# Chromium with Selenium for the browser edition's figures.
case "${1:-}" in
    test) PACKAGES="$PACKAGES libbenchmark-dev libxcb-damage0-dev" ;;
    bench) PACKAGES="$PACKAGES libbenchmark-dev libxcb-damage0-dev xvfb xauth xdotool pulseaudio chromium chromium-driver python3-selenium" ;;
esac
# The browser edition (make web): Debian's emscripten, and the font subsetter. Its tests drive
# Debian's Chromium by Selenium, and fetch axe-core from npm's registry over HTTPS.
case "${1:-}" in
    web) PACKAGES="$PACKAGES emscripten python3-fonttools" ;;
    test) PACKAGES="$PACKAGES emscripten python3-fonttools chromium chromium-driver python3-selenium ca-certificates" ;;
esac
# Only for make test-orca and test-office: the real programs the tests drive, under Xvfb.
case "${1:-}" in
    orca) PACKAGES="$PACKAGES xvfb xdotool dbus-daemon at-spi2-core orca speech-dispatcher" ;;
    office) PACKAGES="$PACKAGES xvfb xdotool libreoffice-calc libreoffice-writer python3-uno" ;;
esac
# Only for make package and package-check: Debian's package tools, the
# validators of the package, its metainfo, desktop entry and manual pages,
# and debootstrap for the clean trees.
[ "${1:-}" = package ] && PACKAGES="build-essential dpkg-dev debhelper lintian appstream desktop-file-utils man-db debootstrap"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
else
    echo "Missing packages. Run this once, then try again:"
    echo "  sudo apt-get install -y$missing"
    exit 1
fi
