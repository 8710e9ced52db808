#!/usr/bin/python3
"""What a screen reader finds in the game's window, through AT-SPI: fifteen
tile buttons named by their numbers and described by row and column, the
opening's label as a button, named boxes and groups, and a message that is
announced. Pressing a tile through its action moves it as a click would.

Run by a11y_test.sh inside its own D-Bus session with the game started."""
import re
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def wait_for(what, found, timeout=10.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = found()
        if value:
            return value
        time.sleep(0.05)
    failures.append("timed out waiting for " + what)
    print("FAIL: timed out waiting for", what)
    return None


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "tembira":
            return app
    return None


def everything(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from everything(child)


def named(app, role, name):
    for node in everything(app):
        if node.getRole() == role and node.name == name:
            return node
    return None


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def press(node):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == "Press":
            return actions.doAction(i)
    raise AssertionError(node.name + " has no Press action")


def tiles(app):
    found = {}
    for node in everything(app):
        if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and re.fullmatch(r"\d+", node.name or ""):
            found[int(node.name)] = node
    return found


def cell(description):
    row, column = re.fullmatch(r"(\d)行(\d)列", description).groups()
    return (int(row) - 1) * 4 + int(column)


def main():
    # Registering on the bus takes the game a while on a busy machine (over
    # ten seconds was seen beside the other tests).
    app = wait_for("the game on the accessibility bus", application, timeout=40.0)
    if app is None:
        return 1

    board = wait_for("fifteen tile buttons", lambda: len(tiles(app)) == 15 and tiles(app))
    check(sorted(board) == list(range(1, 16)), "tiles are named 1 ... 15")
    for n, tile in sorted(board.items()):
        check(re.fullmatch(r"\d行\d列", tile.description or "") is not None,
              f"tile {n} described by row and column, not {tile.description!r}")
        check(not enabled(tile), f"tile {n} disabled before START")
    check(named(app, pyatspi.ROLE_TEXT, "時計") is not None, "the clock box is named")
    check(named(app, pyatspi.ROLE_TEXT, "絵の名前") is not None, "the picture name box is named")
    for group in ("TAITOL", "SPEED"):
        check(named(app, pyatspi.ROLE_PANEL, group) is not None, f"the {group} group is named")

    # The opening's label, then the START button, both through their actions.
    opening = wait_for("the opening's START label", lambda: [
        node for node in everything(app)
        if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == "START"
        and node.queryAction().nActions == 1])
    press(opening[0])
    start = wait_for("an enabled START button",
                     lambda: [node for node in everything(app)
                              if node.getRole() == pyatspi.ROLE_PUSH_BUTTON
                              and node.name == "START" and enabled(node)
                              and node.queryAction().nActions > 1])
    press(start[0])
    wait_for("enabled tiles", lambda: all(enabled(t) for t in tiles(app).values()))

    # A tile next to the empty cell, pressed through its action, slides there.
    cells = {cell(t.description): n for n, t in tiles(app).items()}
    empty = next(k for k in range(1, 17) if k not in cells)
    mover = next(cells[k] for k in (empty - 1, empty + 1, empty - 4, empty + 4)
                 if k in cells and (abs(k - empty) == 4 or (k - 1) // 4 == (empty - 1) // 4))
    print(f"pressing tile {mover} into the empty cell {empty}")
    press(tiles(app)[mover])
    wait_for(f"tile {mover} on cell {empty}",
             lambda: cell(tiles(app)[mover].description) == empty)

    # OK on an unsolved board: the message row says まだです, and says so to
    # the screen reader as its name changes.
    heard = []

    def listen(event):
        if event.source is not None and event.source.name == "まだです":
            heard.append(event.type)

    pyatspi.Registry.registerEventListener(listen, "object:property-change:accessible-name")
    ok = named(app, pyatspi.ROLE_PUSH_BUTTON, "OK")
    GLib.timeout_add(100, lambda: press(ok) and False)
    GLib.timeout_add(1500, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    check(named(app, pyatspi.ROLE_LABEL, "まだです") is not None or heard,
          "the message row shows まだです")
    check(bool(heard), "the message is announced (a name change event)")

    print("failures:", len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
