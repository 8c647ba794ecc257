#!/bin/bash
# The real sound device: a chime that cannot be played (no file, no server) is
# silence said once, and the commands go on; with a private PulseAudio server,
# ending while the exit chime plays is always clean.   usage: chimes.sh DRIVER APP_DIR
set -u
driver=$1 app=$2
command -v pulseaudio >/dev/null || { echo "FAIL: pulseaudio is not installed (make test installs it)"; exit 1; }
T=$(mktemp -d) && trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$T"' EXIT
export XDG_RUNTIME_DIR=$T HOME=$T QT_QPA_PLATFORM=offscreen && unset PULSE_SERVER
pulseaudio -n --daemonize=no --exit-idle-time=-1 --load="module-null-sink sink_name=t" \
    --load="module-native-protocol-unix auth-anonymous=1" 2>/dev/null &
for _ in $(seq 100); do [ -S "$T/pulse/native" ] && break; sleep 0.1; done
drive() {  # MODE FOLDER [VAR=VALUE...]: the driver's status within 2 s (124: not), what it said
    (cd "$2" && env "${@:3}" timeout 2 "$driver" "$1" >/dev/null 2>"$T/err")
    status=$? said=$(grep 'janken:' "$T/err")
}
mkdir "$T/none" "$T/corrupt" && printf 'RIFF0000WAVEfmt ' | tee "$T/corrupt/pinpon.wav" >"$T/corrupt/endpinpon.wav"
for row in "$T/none|" "$T/corrupt|" "$app|PULSE_SERVER=unix:/nonexistent ALSA_CONFIG_PATH=$T/none"; do
    drive chimes "${row%%|*}" ${row#*|}
    [ $status = 0 ] && [[ $said == "janken: the chimes are silent"* && $said != *$'\n'* ]] ||
        { echo "FAIL $row: status $status, said $said"; exit 1; }
done
echo "ok   silence is said once, and the commands go on"
for run in $(seq 200); do
    drive exit "$app"
    [ $status = 0 ] && [ -z "$said" ] || { echo "FAIL run $run: status $status, said $said"; exit 1; }
done
echo "ok   200 ends while the exit chime plays, each with status 0 within 2 s"
