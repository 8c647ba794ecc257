#!/usr/bin/python3
"""A teacher's copies from janken pasted into LibreOffice Calc and Writer with Ctrl+V, on a private
X server: what each program makes of them, read back through LibreOffice's own API.
usage: office_paste.py JANKEN"""
import os
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time

import uno

# What the teacher copies (the window, then janken's keys), where it is pasted, what that must
# make: a letter a cell (KINDS), or the text document's objects.
CASES = [
    ("^ じゃんけん$", "key --delay 50" + " space" * 60 + " ctrl+c", "scalc", r"ETT\n(TNR\n){9}pictures=0"),
    ("^ じゃんけん$", "key --delay 200 Tab Tab Tab Tab Tab space sleep 1 key ctrl+c", "scalc",
     r"TTTT\n(N[RE]{3}\n)+pictures=0"),
    ("^ グラフ$", "key ctrl+c", "swriter", r"pictures=1 tables=0"),
]
# A cell's letter: empty, text, a whole number, a ratio shown as 0.000.
KINDS = [("E", "EMPTY", ""), ("T", "TEXT", ".+"), ("N", "VALUE", r"\d+"), ("R", "VALUE", r"[01]\.\d{3}")]


def kind(cell):
    for letter, content, shown in KINDS:
        if cell.getType().value == content and re.fullmatch(shown, cell.getString()):
            return letter
    return "?"


def made(doc):
    if doc.supportsService("com.sun.star.text.TextDocument"):
        return f"pictures={doc.GraphicObjects.Count} tables={doc.TextTables.Count}"
    sheet = doc.Sheets.getByIndex(0)
    used = sheet.createCursorByRange(sheet.getCellRangeByName("A1"))
    used.gotoEndOfUsedArea(True)
    rows = [[used.getCellByPosition(c, r) for c in range(used.Columns.Count)] for r in range(used.Rows.Count)]
    print("     " + " / ".join("|".join(cell.getString() for cell in row) for row in rows[:3]))
    return "".join("".join(kind(cell) for cell in row) + "\n" for row in rows) + f"pictures={sheet.DrawPage.Count}"


WINDOWS = ["xdotool", "search", "--onlyvisible", "--name", ".", "getwindowname", "%@"]


def paste(office, window, keys, app):
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", window, "windowfocus", "--sync"]
                   + keys.split(), check=True, timeout=60)
    time.sleep(2.5)  # LibreOffice keeps a clipboard owner's list of formats for 2 s
    before = subprocess.run(WINDOWS, capture_output=True, text=True).stdout.splitlines()
    doc = office.createInstance("com.sun.star.frame.Desktop").loadComponentFromURL(
        f"private:factory/{app}", "_blank", 0, ())
    dispatcher = office.createInstance("com.sun.star.frame.DispatchHelper")
    ctrl_v = threading.Thread(target=dispatcher.executeDispatch, daemon=True,  # a dialog would block it
                              args=(doc.CurrentController.Frame, ".uno:Paste", "", 0, ()))
    ctrl_v.start()
    ctrl_v.join(15)
    time.sleep(1)  # a dialog may open after the dispatch returns
    after = subprocess.run(WINDOWS, capture_output=True, text=True).stdout.splitlines()
    dialogs = [title for title in after if title not in before and "LibreOffice" not in title]
    return made(doc) + "".join(f"\ndialog: {title}" for title in dialogs)


def main(janken, profile):
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"], stdout=subprocess.PIPE, text=True)
    os.environ.update(DISPLAY=":" + xvfb.stdout.readline().strip(), QT_QPA_PLATFORM="xcb",
                      PULSE_SERVER="unix:/nonexistent")
    program = subprocess.Popen([janken])
    pipe = f"pipe,name=office_paste_{os.getpid()};urp;"
    office = subprocess.Popen(["soffice", "--norestore", "--nologo", "--nodefault", "--accept=" + pipe,
                               f"-env:UserInstallation=file://{profile}"], start_new_session=True)
    resolver = uno.getComponentContext().ServiceManager.createInstance("com.sun.star.bridge.UnoUrlResolver")
    failed = 0
    try:
        for _ in range(120):  # until the office listens
            try:
                manager = resolver.resolve(f"uno:{pipe}StarOffice.ServiceManager")
                break
            except Exception:
                time.sleep(0.5)
        for window, keys, app, expected in CASES:
            got = paste(manager, window, keys, app)
            ok = re.fullmatch(expected, got)
            print("ok  " if ok else "FAIL", window, app, repr(got))
            failed += not ok
    finally:
        os.killpg(office.pid, signal.SIGKILL)
        program.kill()
        xvfb.kill()
    return failed


with tempfile.TemporaryDirectory(prefix="office_paste.") as profile:
    sys.exit(main(sys.argv[1], profile))
