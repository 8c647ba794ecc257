#!/bin/sh
# Starts the program from the folder that holds it and its sound files, since
# it opens them by bare name from its working directory.
set -eu
app_dir=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. To run without a screen: cd $app_dir && xvfb-run -a ./janken"
    exit 1
fi
cd "$app_dir"
exec ./janken
