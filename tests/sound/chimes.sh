#!/bin/bash
# The real sound device against a private PulseAudio server: no client of it before the first chime; each
# chime heard once; a chime unplayable (no file, files that are no chime, no server) is silence said once,
# and the commands go on; ending while the exit chime plays is clean.   usage: chimes.sh DRIVER APP_DIR
set -u
driver=$1 app=$2
command -v parec >/dev/null || { echo "FAIL: pulseaudio is not installed (make test installs it)"; exit 1; }
T=$(mktemp -d) && trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$T"' EXIT
export XDG_RUNTIME_DIR=$T HOME=$T QT_QPA_PLATFORM=offscreen && unset PULSE_SERVER
pulseaudio -n --daemonize=no --exit-idle-time=-1 --load="module-null-sink sink_name=t" \
    --load="module-native-protocol-unix auth-anonymous=1" 2>/dev/null &
for _ in $(seq 100); do [ -S "$T/pulse/native" ] && break; sleep 0.1; done
drive() {  # MODE FOLDER [VAR=VALUE...]: the driver's status within ${limit:-2} s (124: not), what it said
    (cd "$2" && env "${@:3}" timeout "${limit:-2}" "$driver" "$1" >/dev/null 2>"$T/err")
    status=$? said=$(grep 'janken:' "$T/err")
}
parec -d t.monitor --rate=16000 --channels=1 --format=s16le --raw --latency-msec=50 >"$T/sound.raw" & rec=$!
for _ in $(seq 100); do [ -s "$T/sound.raw" ] && break; sleep 0.05; done  # the monitor runs
limit=8 drive heard "$app" && sleep 2 && kill $rec  # what it holds back reaches the file
# Lengths of the loud stretches (20-ms windows), gaps under 0.16 s bridged.
heard=$(od -An -v -td2 -w2 "$T/sound.raw" | awk '{ w = int(NR / 320); s[w] += $1 * $1; n[w]++; last = w }
    END { for (i = 0; i <= last; i++) { loud = n[i] && s[i] / n[i] > 107374
          if (loud && !on) { on = 1; from = i } if (!loud && on && i - to > 8) { on = 0; printf "%.1f ", (to - from + 1) * 0.02 }
          if (loud) to = i } if (on) printf "%.1f", (to - from + 1) * 0.02 }')
[ $status = 0 ] && [ -z "$said" ] && echo "$heard" | awk '{ exit !($1 >= 0.6 && $2 >= 0.6 && $3 >= 0.9 && NF <= 4) }' ||
    { echo "FAIL heard: status $status, said $said, loud for $heard s"; exit 1; }
echo "ok   no sound server's client before the first chime; each chime heard once ($heard s)"
mkdir "$T/none" "$T/files"
for row in "$T/none|" "$app|PULSE_SERVER=unix:/nonexistent ALSA_CONFIG_PATH=$T/none"; do
    drive chimes "${row%%|*}" ${row#*|}
    [ $status = 0 ] && [[ $said == "janken: the chimes are silent"* && $said != *$'\n'* ]] ||
        { echo "FAIL $row: status $status, said $said"; exit 1; }
done
echo "ok   silence is said once, and the commands go on"
# A folder, a FIFO, a symlink loop, an unreadable, a sparse 101-MiB, a cut and a garbage file: each silent or heard within 100 ms.
(cd "$T/files" && mkdir folder.wav && mkfifo fifo.wav && ln -s loop.wav loop.wav && : >locked.wav &&
    chmod 0 locked.wav && head -c 44 "$app/pinpon.wav" >large.wav && truncate -s 101M large.wav &&
    head -c 20 "$app/pinpon.wav" >cut.wav && head -c 4096 /dev/urandom >garbage.wav) || exit 1
files=$(ls "$T/files")
(cd "$T/files" && timeout 20 "$driver" files $files >/dev/null 2>"$T/err")
awk -v s=$? '/^janken: the chimes are silent/ { said++ } $1 == "file" { all++; s += said > 1 || $3 > 100; said = 0 }
    END { s += all != 7; printf "%s   %d files that are no chime, each silent or heard\n", s ? "FAIL" : "ok", all; exit s }' "$T/err" ||
    { cat "$T/err"; exit 1; }
for run in $(seq 200); do
    drive exit "$app"
    [ $status = 0 ] && [ -z "$said" ] || { echo "FAIL run $run: status $status, said $said"; exit 1; }
done
echo "ok   200 ends while the exit chime plays, each with status 0 within 2 s"
