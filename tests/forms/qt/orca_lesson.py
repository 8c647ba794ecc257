#!/usr/bin/python3
"""Orca, Debian's screen reader, on a private X server, D-Bus and speech-dispatcher: keys pressed as
a blind pupil would, and what Orca says then, from its debug log.
usage: orca_lesson.py PATH_TO_JANKEN [OUTPUT_TRANSCRIPT]"""
import os, re, subprocess, sys, tempfile, time
from pathlib import Path

# Flat review in Orca's desktop layout, NumLock off: the line above the focus, then 10 lines down.
TABLE = "key --delay 300 KP_Home" + " KP_Page_Up" * 10
HELP_TEXT = ["Ａ君、Ｂ君、Ｃ君の３人がじゃんけんを１回します", "実験を最初からやり直せます"]  # first, last
# (what the pupil does, xdotool's arguments, patterns all found in what Orca says then)
STEPS = [
    ("起動", "search --sync --onlyvisible --class janken windowfocus --sync", ["ジャンケン", "push button"]),
    ("a ジャンケン", "key space", ["ポ　ン"]),
    ("a ポン", "key space", ["Ａくん (グー|チョキ|パー)", "Ｂくん", "Ｃくん", "あいこ|一人勝ち|一人負け"]),
    ("b 結果の表", TABLE, ["あいこ 回数 [01]", "回数 1", "割合 1\\.000", "割合 0\\.000"]),
    ("c 自動開始", "key --delay 300 Tab space sleep 2", ["自動開始", "自動停止"]),
    ("c 自動停止", "key space", ["自動停止", "[0-9] ?回", "あいこ 0\\."]),
    ("d HELP", "key --delay 300 Tab Tab space", ["HELP", "ヘルプ", "閉じる"]),
    ("d ヘルプの画面へ", "key Tab", ["ヘルプ"]),
    ("d ヘルプの本文 (say all)", "key KP_Add", HELP_TEXT),
    ("d 閉じる", "key --delay 300 Tab space", ["じゃんけん frame", "HELP"]),
    ("e グラフ表示", "key --delay 300 Tab Tab space", ["グラフ表示", "[0-9] ?回", "あいこ", "0\\.33"]),
]
FILES = {  # the dummy voice into a null sound card, and no second speech-dispatcher started by Orca
    "config/speech-dispatcher/speechd.conf": 'DefaultModule dummy\nAddModule "dummy" "sd_dummy" ""\n'
                                             'AudioOutputMethod "alsa"\nDisableAutoSpawn\n',
    "home/.asoundrc": "pcm.!default { type null }\n",
    # Orca writes its debug log through a buffer: flushed at each line, every speech is there at once.
    "orca/orca-customizations.py": "import orca.debug\norca.debug.debugFile.reconfigure(line_buffering=True)\n",
    "orca.log": ""}


def spoken(log):  # everything Orca has sent to speech so far, in order; say all's lines too
    found = re.findall(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?[\[{]|SAY ALL: \[.*?\] '(.*?)' \(",
                       log.read_text(), re.S)
    return [re.sub(r"\n +", " ", said + line) for said, line in found]


def settle(log, before):  # the new speech once Orca has been silent for a second (8 s at most)
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
    env = {"PATH": os.environ["PATH"], "HOME": f"{tmp}/home", "XDG_CONFIG_HOME": f"{tmp}/config",
           "XDG_DATA_HOME": f"{tmp}/data", "XDG_RUNTIME_DIR": f"{tmp}/run", "LC_ALL": "C.UTF-8",
           "GSETTINGS_BACKEND": "memory", "PULSE_SERVER": "unix:/nonexistent",
           "QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

    def start(*command):  # Xvfb and D-Bus print their display and address once they are ready
        procs.append(subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                      text=True))
        return procs[-1].stdout.readline().strip()

    env["DISPLAY"] = ":" + start("Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24")
    env["DBUS_SESSION_BUS_ADDRESS"] = start("dbus-daemon", "--session", "--nofork", "--print-address=1",
                                            f"--address=unix:path={tmp}/bus")
    procs.append(subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "0"], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    log = tmp / "orca.log"
    procs.append(subprocess.Popen(["orca", "--user-prefs", f"{tmp}/orca", "--debug-file", str(log)], env=env))
    while not spoken(log) and procs[-1].poll() is None:  # until Orca says "Screen reader on."
        time.sleep(0.5)
    if not spoken(log):  # as when another Orca of the same user runs anywhere on the machine
        return [], "Orca did not start"
    procs.append(subprocess.Popen([janken], env=env))
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
if len(sys.argv) > 2:
    Path(sys.argv[2]).write_text("\n".join(transcript) + "\n")
if failed:
    sys.exit("FAIL " + failed)
