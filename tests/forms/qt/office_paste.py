#!/usr/bin/python3
"""The program's copies pasted into LibreOffice Calc and Writer as Ctrl+V pastes them.
usage: office_paste.py DRIVER   (`DRIVER main|graph` puts that copy on the clipboard, prints "ready")"""
import os, re, signal, subprocess, sys, tempfile, threading, time
import uno

# copy, application, what the paste must make: a letter a cell (KINDS), or the text document's objects
CASES = [
    ("main", "scalc", r"ETT\n(TNR\n){9}"),
    ("graph", "scalc", r"TTTT\n(N[RE]{3}\n)+"),
    ("graph", "swriter", r"pictures=1 tables=0"),
]
# letter, cell content, how the cell shows it: empty, text, whole number, ratio shown as 0.000
KINDS = [("E", "EMPTY", ""), ("T", "TEXT", ".+"), ("N", "VALUE", r"\d+"), ("R", "VALUE", r"[01]\.\d{3}")]

def kind(cell):
    for letter, content, shown in KINDS:
        if cell.getType().value == content and re.fullmatch(shown, cell.getString()):
            return letter
    return "?"

def made(doc, app):
    if app == "swriter":
        return f"pictures={doc.GraphicObjects.Count} tables={doc.TextTables.Count}", ""
    sheet = doc.Sheets.getByIndex(0)
    used = sheet.createCursorByRange(sheet.getCellRangeByName("A1"))
    used.gotoEndOfUsedArea(True)
    cells = [[used.getCellByPosition(c, r) for c in range(used.Columns.Count)] for r in range(used.Rows.Count)]
    shown = " / ".join("|".join(cell.getString() for cell in row) for row in cells[:3])
    return "".join("".join(map(kind, row)) + "\n" for row in cells), f"pictures={sheet.DrawPage.Count} {shown}"

def titles():
    found = ["xdotool", "search", "--onlyvisible", "--name", ".", "getwindowname", "%@"]
    return subprocess.run(found, capture_output=True, text=True).stdout.splitlines()

def paste(office, driver, copy, app):
    owner = subprocess.Popen([driver, copy], stdout=subprocess.PIPE, text=True)
    assert owner.stdout.readline().strip() == "ready"
    time.sleep(2.5)  # LibreOffice reuses a clipboard window's list of formats for 2 s
    before = titles()
    doc = office.createInstance("com.sun.star.frame.Desktop").loadComponentFromURL(f"private:factory/{app}", "_blank", 0, ())
    dispatch = office.createInstance("com.sun.star.frame.DispatchHelper")
    ctrl_v = threading.Thread(target=dispatch.executeDispatch, daemon=True,  # a dialog may keep it waiting
                              args=(doc.CurrentController.Frame, ".uno:Paste", "", 0, ()))
    ctrl_v.start()
    ctrl_v.join(15)
    time.sleep(1)  # a dialog may open after the dispatch returns
    owner.kill()
    return made(doc, app), [title for title in titles() if title not in before and "LibreOffice" not in title]

def main(driver, profile):
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"], stdout=subprocess.PIPE, text=True)
    os.environ.update(DISPLAY=":" + xvfb.stdout.readline().strip(), QT_QPA_PLATFORM="xcb")
    pipe = f"pipe,name=office_paste_{os.getpid()};urp;"
    office = subprocess.Popen(["soffice", "--norestore", "--nologo", "--nodefault", f"-env:UserInstallation=file://{profile}",
                               "--accept=" + pipe], start_new_session=True)
    resolver = uno.getComponentContext().ServiceManager.createInstance("com.sun.star.bridge.UnoUrlResolver")
    results = []
    try:
        for _ in range(120):
            try:
                manager = resolver.resolve(f"uno:{pipe}StarOffice.ServiceManager")
                break
            except Exception:  # until the office listens
                time.sleep(0.5)
        for copy, app, expected in CASES:
            (got, shown), dialogs = paste(manager, driver, copy, app)
            ok = not dialogs and re.fullmatch(expected, got) is not None
            print({True: "ok  ", False: "FAIL"}[ok], f"{copy} -> {app}: {got.strip()!r} dialogs={dialogs} {shown}")
            results.append(ok)
    finally:
        os.killpg(office.pid, signal.SIGKILL)
        xvfb.kill()
    return results

with tempfile.TemporaryDirectory(prefix="office_paste.") as profile:
    sys.exit(not all(main(sys.argv[1], profile)))
