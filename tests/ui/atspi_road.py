#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the running window through the accessibility bus alone, as a screen reader does, and
checks what the bus reports: the worked example entered row by row through each row's toggle
action and the text boxes' editable text, the results named with their party and announced,
one focused object, and the hidden columns left out of the tree. Run by scripts/a11y-check."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

VOTES = ["58125", "45871", "27142", "15947", "12264"]
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def find_app():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "mandati":
                return app
        time.sleep(0.1)
    sys.exit("the window did not appear on the accessibility bus")


def walk(node, depth=0):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def named(app, name, role):
    for node in walk(app):
        if node.name == name and node.getRole() == role:
            return node
    raise LookupError(f"{name} ({role})")


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def set_text(node, text):
    node.queryEditableText().setTextContents(text)


def rows(node):
    return [child.name for child in node]


def settle():
    context = GLib.MainContext.default()
    end = time.time() + 0.4
    while time.time() < end:
        context.iteration(False)
        time.sleep(0.02)


app = find_app()
heard = []
def hear(event):
    heard.append((event.type, event.source.name))
pyatspi.Registry.registerEventListener(hear, "object:text-changed",
                                        "object:property-change:accessible-description")
for _ in range(5):  # the window learns of a new listener through the bus
    settle()
# Xvfb runs no window manager: the window is given the keyboard focus by hand.
subprocess.run(["xdotool", "search", "--sync", "--name", "Математика", "windowfocus", "--sync"],
               check=True)
R = pyatspi.ROLE_LIST
parties = named(app, "Партия", R)
set_text(named(app, "Брой партии:", pyatspi.ROLE_TEXT), "5")
set_text(named(app, "Брой мандати:", pyatspi.ROLE_TEXT), "7")
press(named(app, "Определи", pyatspi.ROLE_PUSH_BUTTON))
settle()
check(rows(parties) == ["1", "2", "3", "4", "5"], "set-up gives the party rows 1 to 5")
vote_box = named(app, "Гласували:", pyatspi.ROLE_TEXT)
for row, votes in enumerate(VOTES):
    cell = parties[row]
    toggle = cell.queryAction()
    toggle.doAction([toggle.getName(i) for i in range(toggle.nActions)].index("Toggle"))
    settle()
    check(cell.getState().contains(pyatspi.STATE_SELECTED), f"toggle selects party {row + 1}")
    set_text(vote_box, votes)
    press(named(app, "Въведи", pyatspi.ROLE_PUSH_BUTTON))
    settle()

for attempt in range(3):  # later calculations repeat the first; they are announced all the same
    heard.clear()
    press(named(app, "Изчисли", pyatspi.ROLE_PUSH_BUTTON))
    settle()
    for _ in range(10):  # the bus delivers the events a little later
        settle()
    told = {name for _, name in heard}
    check({"Общо гл.:", "манд. предв.", "манд. оконч.", "манд/квота", "глас. %"} <= told,
          f"calculation {attempt + 1} is announced: {sorted(told)}")

final = named(app, "манд. оконч.", R)
check(rows(final) == ["Партия 1: 3", "Партия 2: 2", "Партия 3: 1", "Партия 4: 1", "Партия 5: 0"],
      f"final seats named with their party: {rows(final)}")
preliminary = named(app, "манд. предв.", R)
check(rows(preliminary)[:2] == ["Партия 1: 2", "Партия 2: 2"], "preliminary seats 2, 2, ...")
total = named(app, "Общо гл.:", pyatspi.ROLE_TEXT).queryText()
check(total.getText(0, -1) == "159349", "total 159349: every vote counted once")

names = [node.name for node in walk(app)]
check("Гласове" not in names and "Остатъци" not in names, "hidden columns are not in the tree")

# Toggle row 3 of the party list: every column and the vote box follow.
parties[2].queryAction().doAction(0)
settle()
check(all(named(app, n, R)[2].getState().contains(pyatspi.STATE_SELECTED)
          for n in ["Партия", "манд. предв.", "манд. оконч.", "манд/квота", "глас. %"]),
      "toggling party 3 selects it in every column")
check(vote_box.queryText().getText(0, -1) == "27142", "the vote box shows party 3's votes")

# Selecting a row through the table interface is a choice too.
named(app, "глас. %", R).queryTable().addRowSelection(1)
settle()
check(vote_box.queryText().getText(0, -1) == "45871", "selecting row 2 of a result column shows party 2's votes")

# Focus: Tab from "Определи" to the party list; then one focused object, and its row.
named(app, "Определи", pyatspi.ROLE_PUSH_BUTTON).queryComponent().grabFocus()
settle()
subprocess.run(["xdotool", "key", "Tab"], check=True)
settle()
focused = [n.name for n in walk(app) if n.getState().contains(pyatspi.STATE_FOCUSED)]
check(focused == ["Партия", "2"], f"one focused list and its row: {focused}")

print("FAILED: %d" % len(failures) if failures else "all AT-SPI checks passed")
sys.exit(1 if failures else 0)
