#!/usr/bin/python3
"""Orca, Debian's screen reader, with janken on a private X server, session bus and speech-dispatcher
(its dummy voice): the keys a blind pupil presses, and what Orca says then, read from its debug log.
usage: orca_lesson.py JANKEN"""
import os
import re
import subprocess
import sys
import tempfile
import time
from pathlib import Path

# Flat review, Orca's desktop layout with NumLock off: the line above the focus, then 10 lines down.
TABLE = "key --delay 300 KP_Home" + " KP_Page_Up" * 10
HELP = ["Ａ君、Ｂ君、Ｃ君の３人がじゃんけんを１回します", "実験を最初からやり直せます"]  # first and last
# What the pupil does, the keys (xdotool's arguments), patterns that Orca's speech then holds.
STEPS = [
    ("起動", "search --sync --onlyvisible --class janken windowfocus --sync", ["ジャンケン", "button"]),
    ("a ジャンケン", "key space", ["ポ　ン"]),
    ("a ポン", "key space", ["Ａくん (グー|チョキ|パー)", "Ｂくん", "Ｃくん", "あいこ|一人勝ち|一人負け"]),
    ("b 結果の表", TABLE, ["あいこ 回数 [01]", "回数 1", "割合 1\\.000", "割合 0\\.000"]),
    ("c 自動開始", "key --delay 300 Tab space sleep 2", ["自動開始", "自動停止"]),
    ("c 自動停止", "key space", ["自動停止", "[0-9] ?回", "あいこ 0\\."]),
    ("d HELP, ヘルプの画面へ", "key --delay 300 Tab Tab space sleep 1 key Tab", ["HELP", "閉じる", "ヘルプ image"]),
    ("d ヘルプの本文 (say all)", "key KP_Add", HELP),
    ("d 閉じる", "key --delay 300 Tab space", ["じゃんけん frame", "HELP"]),
    ("e グラフ表示", "key --delay 300 Tab Tab space", ["グラフ表示", "[0-9] ?回", "あいこ", "0\\.33"]),
]
FILES = {  # the dummy voice into a null sound card; Orca's log written a line at a time
    "config/speech-dispatcher/speechd.conf": 'DefaultModule dummy\nAddModule "dummy" "sd_dummy" ""\n'
                                             'AudioOutputMethod "alsa"\nDisableAutoSpawn\n',
    "home/.asoundrc": "pcm.!default { type null }\n",
    "orca/orca-customizations.py": "import orca.debug\norca.debug.debugFile.reconfigure(line_buffering=True)\n",
}


def spoken(log):  # everything Orca has said so far, in order, say all's lines too
    found = re.findall(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?[\[{]|SAY ALL: [^'\n]*'(.*?)' \(\d+-\d+, current",
                       log.read_text(), re.S)
    return [re.sub(r"\n +", " ", said + line) for said, line in found]


def settle(log, before):  # what Orca says from `before` on, once silent for a second (8 s at most)
    heard = []
    for _ in range(8):
        time.sleep(1)
        if spoken(log)[before:] == heard:
            break
        heard = spoken(log)[before:]
    return heard


def lesson(janken, tmp, procs):
    for name, text in FILES.items():
        (tmp / name).parent.mkdir(parents=True, exist_ok=True)
        (tmp / name).write_text(text)
    log = tmp / "orca.log"
    log.touch()
    env = {"PATH": os.environ["PATH"], "HOME": f"{tmp}/home", "XDG_CONFIG_HOME": f"{tmp}/config",
           "XDG_DATA_HOME": f"{tmp}/data", "XDG_RUNTIME_DIR": f"{tmp}/run", "LC_ALL": "C.UTF-8",
           "GSETTINGS_BACKEND": "memory", "PULSE_SERVER": "unix:/nonexistent",
           "QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

    def start(*command, output=subprocess.DEVNULL):
        procs.append(subprocess.Popen(command, env=env, stdout=output, stderr=subprocess.DEVNULL, text=True))
        return procs[-1].stdout

    # Xvfb and D-Bus print their display and address once they are ready.
    xvfb = start("Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24", output=subprocess.PIPE)
    env["DISPLAY"] = ":" + xvfb.readline().strip()
    bus = start("dbus-daemon", "--session", "--nofork", "--print-address=1", f"--address=unix:path={tmp}/bus",
                output=subprocess.PIPE)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus.readline().strip()
    start("speech-dispatcher", "--run-single", "--timeout", "0")
    start("orca", "--user-prefs", f"{tmp}/orca", "--debug-file", str(log))
    while not spoken(log) and procs[-1].poll() is None:  # until Orca says it is on
        time.sleep(0.5)
    if not spoken(log):  # as when another Orca of the same user runs anywhere on the machine
        return [], "Orca did not start"
    start(janken)
    transcript, failed = [], None
    for step, keys, patterns in STEPS:
        before = len(spoken(log))
        subprocess.run(["xdotool"] + keys.split(), env=env, check=True, timeout=30)
        speech = " / ".join(settle(log, before))
        transcript.append(f"{step}: {speech}")
        missing = [pattern for pattern in patterns if not re.search(pattern, speech)]
        if missing and not failed:
            failed = f"{step}: not spoken: {missing}"
    return transcript, failed


procs = []
with tempfile.TemporaryDirectory(prefix="orca-lesson.") as tmp:
    try:
        transcript, failed = lesson(sys.argv[1], Path(tmp), procs)
    finally:  # janken and Orca first, Xvfb last
        for proc in reversed(procs):
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()
print("\n".join(transcript))
if failed:
    sys.exit("FAIL " + failed)
