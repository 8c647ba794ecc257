#!/usr/bin/python3
"""The main window as a screen reader sees it, through AT-SPI.

Run by atspi.sh with the system's Python (Debian's pyatspi lives there),
against the running program on the session's accessibility bus. It finds the
program, reads the names of its pictures, cells and buttons, presses
ジャンケン and then ポ　ン through their "Press" actions, and checks that the
shown pictures, the judgements and the result cells tell the round that was
played, and that the program announced the cells' new texts.

Exit status: 0 when everything holds, 1 otherwise.
"""

import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

APP_NAME = "janken"
WINDOW_TITLE = " じゃんけん"
PLAYERS = ["Ａくん", "Ｂくん", "Ｃくん"]
LETTERS = ["Ａ", "Ｂ", "Ｃ"]
HANDS = ["グー", "チョキ", "パー"]
BEATS = {("グー", "チョキ"), ("チョキ", "パー"), ("パー", "グー")}
BUTTONS = ["ジャンケン", "ポ\u3000ン", "自動開始", "自動停止", "初期化", "HELP", "終了", "グラフ表示"]
ROWS = ["あいこ"] + [l + "一人勝ち" for l in LETTERS] + ["一人勝ち"] \
    + [l + "一人負け" for l in LETTERS] + ["一人負け"]
CELLS = [row + " " + column for row in ROWS for column in ("回数", "割合")]

failures = 0


def check(ok, what):
    global failures
    print(("  ok: " if ok else "  WRONG: ") + what, flush=True)
    if not ok:
        failures += 1
    return ok


def pump():
    """Lets queued AT-SPI events reach their listeners."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while True:
        pump()
        if condition():
            return True
        if time.monotonic() >= deadline:
            return False
        time.sleep(0.02)


def find_application(seconds):
    found = []

    def look():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == APP_NAME:
                found.append(app)
                return True
        return False

    return found[0] if wait_for(look, seconds) else None


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def sensitive(node):
    return node.getState().contains(pyatspi.STATE_SENSITIVE)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if not check("Press" in names, "%s offers Press (actions: %s)" % (node.name, names)):
        return False
    return action.doAction(names.index("Press"))


def shown_hands(controls):
    """The hand each player's one showing picture names, or None."""
    hands = []
    for player in PLAYERS:
        shown = [h for h in HANDS if showing(controls[player + " " + h])]
        hands.append(shown[0] if len(shown) == 1 else None)
    return hands


def expected_round(hands):
    """The three verdicts and the cells that count one for these hands."""
    if len(set(hands)) != 2:
        return ["あいこ"] * 3, {"あいこ 回数"}
    odd = next(i for i in range(3) if hands.count(hands[i]) == 1)
    shared = hands[(odd + 1) % 3]
    odd_wins = (hands[odd], shared) in BEATS
    verdicts = ["勝ち" if (i == odd) == odd_wins else "負け" for i in range(3)]
    outcome = "一人勝ち" if odd_wins else "一人負け"
    return verdicts, {LETTERS[odd] + outcome + " 回数", outcome + " 回数"}


def main():
    app = find_application(15)
    if not check(app is not None, "the program '%s' is on the accessibility bus" % APP_NAME):
        return 1
    # Every read goes to the program itself, not to a cache kept here.
    app.set_cache_mask(Atspi.Cache.NONE)
    windows = [w for w in children(app) if w.name == WINDOW_TITLE]
    if not check(len(windows) == 1, "one window titled '%s'" % WINDOW_TITLE):
        return 1
    window = windows[0]
    check(window.getRoleName() == "frame", "the window is a frame (%s)" % window.getRoleName())
    controls = {}
    for child in children(window):
        controls.setdefault(child.name, child)
    check(all(c.name for c in children(window)), "every control of the window has a name")

    # Names, roles and the start state.
    for name in BUTTONS:
        node = controls.get(name)
        check(node is not None and node.getRoleName() == "push button",
              "button '%s'" % name)
    pictures = [p + " " + h for p in PLAYERS for h in HANDS]
    for name in pictures:
        node = controls.get(name)
        check(node is not None and node.getRoleName() == "image", "picture '%s'" % name)
    for name in CELLS + [p + " 判定" for p in PLAYERS]:
        node = controls.get(name)
        check(node is not None and node.getRoleName() == "label" and node.description == "",
              "blank cell '%s'" % name)
    if failures:
        return 1
    check(shown_hands(controls) == ["グー", "チョキ", "パー"],
          "at start the showing pictures are A グー, B チョキ, C パー")
    jan, pon = controls["ジャンケン"], controls["ポ\u3000ン"]
    check(sensitive(jan) and not sensitive(pon), "ジャンケン usable, ポ　ン not")

    # ジャンケン: the pictures shuffle, ポ　ン becomes usable.
    press(jan)
    check(wait_for(lambda: sensitive(pon) and not sensitive(jan), 5),
          "after Press on ジャンケン only ポ　ン is usable")
    seen = set()

    def shuffled():
        seen.add(shown_hands(controls)[0])
        return len(seen - {None}) >= 2
    check(wait_for(shuffled, 3), "Ａくん's showing picture changes while shuffling (%s)"
          % sorted(h for h in seen if h))

    # ポ　ン: listen for the cells' announcements, then judge the round.
    announced = set()

    def on_description(event):
        if event.source is not None:
            announced.add(event.source.name)
    pyatspi.Registry.registerEventListener(on_description,
                                           "object:property-change:accessible-description")
    press(pon)
    counted = controls["あいこ 回数"]
    check(wait_for(lambda: counted.description != "", 5),
          "after Press on ポ　ン 'あいこ 回数' shows a count (%r)" % counted.description)
    check(wait_for(lambda: sensitive(jan) and not sensitive(pon), 5),
          "after Press on ポ　ン ジャンケン is usable again, ポ　ン not")

    hands = shown_hands(controls)
    if not check(None not in hands, "one showing picture per player: %s" % hands):
        return 1
    verdicts, ones = expected_round(hands)
    for player, verdict in zip(PLAYERS, verdicts):
        label = controls[player + " 判定"]
        check(label.name == player + " 判定" and label.description == verdict,
              "'%s' says %s" % (label.name, label.description))
    for row in ROWS:
        count = controls[row + " 回数"].description
        ratio = controls[row + " 割合"].description
        want = "1" if row + " 回数" in ones else "0"
        check(count == want and ratio == ("1.000" if want == "1" else "0.000"),
              "'%s' %s, '%s' %s" % (row + " 回数", count, row + " 割合", ratio))
    check(wait_for(lambda: set(CELLS) <= announced, 5),
          "the program announced the new text of all 18 result cells (missing: %s)"
          % sorted(set(CELLS) - announced))
    check(all(p + " 判定" in announced for p in PLAYERS), "and of the three judgement labels")
    pyatspi.Registry.deregisterEventListener(on_description,
                                             "object:property-change:accessible-description")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
