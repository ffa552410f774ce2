"""The running program as a screen reader meets it: through AT-SPI only.

Run by atspi_test.sh with the program's process id. Each window of the table is opened by the
names a screen reader speaks (a menu path or a button) and checked as it is shown: every
control it shows has a role and a name, nothing hidden is shown, no control is presented as a
window of its own. In the main window a calculation is done with AT-SPI actions and text alone.
"""
import sys
import time
from collections import namedtuple

import pyatspi

TIMEOUT = 15  # seconds the program may take to answer, even in a sanitizer build

# A window (one row each; a new window is one more row): how it is opened from the main window
# and closed back to it (names pressed in turn, the first a control the window shows, each next
# one inside the one before, as a menu item inside its menu), controls (role, name) by which it
# is recognised, and controls it holds but must not show.
Window = namedtuple("Window", "name opened_by closed_by shows hides")
ROW_2 = ["focal length (mm), row 2", "object distance (ft), row 2",
         "horizontal object dimensions (ft), row 2", "vertical object dimensions (ft), row 2"]
WINDOWS = [
    Window("Obbiettivi", [], [], {("push button", "Search"), ("text", "focal length (mm), row 1")},
           ROW_2 + ["WIDE", "TELE"]),
    Window("Search (the picture button)", ["Search"], ["Close"],
           {("list", "Model #"), ("list", "Description")}, []),
    Window("Search (File > Search)", ["File", "Search"], ["Close"], {("list", "Model #")}, []),
    Window("PartNo", ["Search Mode", "Search by Part Number"], ["Search Mode", "Search by Type"],
           {("text", "Optarion Part #"), ("list", "Search Results")}, []),
    Window("About", ["Help", "About Vistamarq..."], ["OK"],
           {("push button", "OK"), ("label", "Version 1.2  (English)")}, []),
]
# Roles a screen reader passes over without a name: holders of other objects, a menu's line.
UNNAMED_ROLES = {"filler", "menu bar", "popup menu", "separator"}
# Roles that must not occur inside a window: another window, or nothing a screen reader knows.
NOT_INSIDE_A_WINDOW = {"frame", "dialog", "window", "unknown", "invalid"}

# The keyboard's worked example (test_accessibility.cpp, calculationByKeyboardAlone): 1/2 inch,
# a scene 16 ft wide. The figures as the boxes show them after the option, then after the entry.
OPTION, ENTRY_BOX, ENTRY = '1/2"', "horizontal object dimensions (ft), row 1", "16"
AFTER_OPTION = {ENTRY_BOX: "32"}
AFTER_ENTRY = {"focal length (mm), row 1": "8", "vertical object dimensions (ft), row 1": "12"}


def wait_for(what, condition):
    deadline = time.monotonic() + TIMEOUT
    while not condition():
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: {what}")
        time.sleep(0.05)


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def descendants(obj):
    for child in obj:
        if child is not None:
            yield child
            yield from descendants(child)


def find(root, name, must_show=False):
    for obj in descendants(root):
        if obj.name == name and (showing(obj) or not must_show):
            return obj
    sys.exit(f"FAIL: nothing named {name!r} in {root.name!r}")


def text_of(box):
    return box.queryText().getText(0, -1)


def press(window, path):
    target = find(window, path[0], must_show=True)
    for name in path[1:]:
        target = find(target, name)
    target.queryAction().doAction(0)


def shown_window(app, expected):
    """The one window the program shows, once it is the expected one."""
    def window():
        shown = [w for w in app if w is not None and showing(w)]
        if len(shown) == 1 and expected.shows <= {(o.getRoleName(), o.name)
                                                  for o in descendants(shown[0]) if showing(o)}:
            return shown[0]
        return None
    wait_for(f"{expected.name} is not the one window shown", window)
    return window()


def check(window, expected):
    failures = []
    for obj in descendants(window):
        role, parent = obj.getRoleName(), obj.parent
        where = f"in {parent.getRoleName()} {parent.name!r}"
        if showing(obj) and not showing(parent):
            failures.append(f"{role} {obj.name!r} is shown {where}, which is hidden")
        if (showing(obj) or role == "menu item") and role not in UNNAMED_ROLES and not obj.name:
            failures.append(f"a {role} without a name {where}")
        if role in NOT_INSIDE_A_WINDOW:
            failures.append(f"{role} {obj.name!r} {where}: a window inside a window, or no role")
    for name in expected.hides:
        state = find(window, name).getState()
        if state.contains(pyatspi.STATE_SHOWING) or state.contains(pyatspi.STATE_VISIBLE):
            failures.append(f"the hidden {name!r} is exposed as visible or showing")
    for failure in failures:
        print(f"FAIL: {expected.name}: {failure}")
    print(f"{'FAIL' if failures else 'ok'}: {expected.name}")
    return len(failures)


def expect_figures(window, figures):
    for name, text in figures.items():
        box = find(window, name)
        wait_for(f"{name!r} shows {text_of(box)!r}, not {text!r} as with the keyboard",
                 lambda: text_of(box) == text)


def calculate(window):
    option, box = find(window, OPTION), find(window, ENTRY_BOX)
    option.queryAction().doAction(0)
    expect_figures(window, AFTER_OPTION)
    box.queryComponent().grabFocus()
    wait_for("the box takes the focus", lambda: box.getState().contains(pyatspi.STATE_FOCUSED))
    box.queryEditableText().setTextContents(ENTRY)
    time.sleep(0.5)  # the user hears the entry read back; recalculation ticks run meanwhile
    if text_of(box) != ENTRY:
        sys.exit(f"FAIL: the entry {ENTRY!r} became {text_of(box)!r} before the box was left")
    option.queryComponent().grabFocus()  # leaving the box completes the entry
    expect_figures(window, AFTER_ENTRY)


def main(process_id):
    def program():
        return next((app for app in pyatspi.Registry.getDesktop(0)
                     if app is not None and app.get_process_id() == process_id), None)
    wait_for("the program does not register with AT-SPI", program)
    app, main_window = program(), WINDOWS[0]
    window = shown_window(app, main_window)
    failures = check(window, main_window)
    calculate(window)
    print("ok: the calculation through AT-SPI gives the keyboard's figures")
    for expected in WINDOWS[1:]:
        press(window, expected.opened_by)
        failures += check(shown_window(app, expected), expected)
        press(shown_window(app, expected), expected.closed_by)
        window = shown_window(app, main_window)
    try:
        press(window, ["File", "Exit"])
    except Exception:  # the program may end before it answers; atspi_test.sh sees it end
        pass
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(int(sys.argv[1])))
