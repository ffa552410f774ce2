"""The running program as a screen reader meets it: through AT-SPI only.

Run by atspi_test.sh with the program's process id. Each window of the table is opened by the
names a screen reader speaks (a menu path or a button) or by its keys, and checked as it is
shown: every control it shows has a role and a name, nothing hidden is shown, no control is
presented as a window of its own. In the main window a calculation is done with AT-SPI actions
and text alone; the Coverage window is seen to follow it.
"""
import subprocess
import sys
import time
from collections import namedtuple

import pyatspi

TIMEOUT = 15  # seconds the program may take to answer, even in a sanitizer build

# A window (one row each; a new window is one more row): how it is opened from the main window
# and closed back to it (names pressed in turn, the first a control the window shows, each next
# one inside the one before, as a menu item inside its menu), controls (role, name) by which it
# is recognised, and controls it holds but must not show.
# A window opened beside the main window leaves it shown. Known faults: failures as check()
# words them, each with its reason; reported, not counted, until they are fixed.
Window = namedtuple("Window", "name opened_by closed_by shows hides beside known",
                    defaults=[False, {}])


class Keys(str):
    """Keys pressed on the keyboard, as xdotool names them ("ctrl+k"), instead of names."""


# Rows of the Coverage form that count only for a custom sensor or a camera on a pole; a list
# is named by its choice, so its row by its caption.
COVERAGE_HIDES = ["Custom sensor given by:", "Sensor width", "Sensor height", "Pixel size:",
                  "Camera height above the ground", "Target height above the ground", "Tilt:",
                  "Tilt angle"]
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
    Window("Coverage", Keys("ctrl+k"), Keys("alt+F4"),
           {("label", "Follow:"), ("page tab", "DORI table")}, COVERAGE_HIDES, beside=True),
]
# Roles a screen reader passes over without a name: holders of other objects, a menu's line;
# and by role inside a role, the corner of a table between its headers, which Qt always
# presents as an empty panel.
UNNAMED_ROLES = {"filler", "menu bar", "popup menu", "separator"}
UNNAMED_IN = {("panel", "table")}
# Roles that must not occur inside a window: another window, or nothing a screen reader knows.
NOT_INSIDE_A_WINDOW = {"frame", "dialog", "window", "unknown", "invalid"}

# The keyboard's worked example (test_accessibility.cpp, calculationByKeyboardAlone): 1/2 inch,
# a scene 16 ft wide. The figures as the boxes show them after the option, then after the entry.
OPTION, ENTRY_BOX, ENTRY = '1/2"', "horizontal object dimensions (ft), row 1", "16"
AFTER_OPTION = {ENTRY_BOX: "32"}
AFTER_ENTRY = {"focal length (mm), row 1": "8", "vertical object dimensions (ft), row 1": "12"}
# Coverage follows row 1: 1/2 inch, 8 mm at 20 ft; then 32 ft across makes it 4 mm. Its density
# is in metres or feet first, as the desktop measures.
FOLLOWED = "393.7 px/m (120.0 px/ft)", "120.0 px/ft (393.7 px/m)"
WIDER, WIDER_FOCAL = "32", "4"


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
    if isinstance(path, Keys):
        subprocess.run(["xdotool", "key", path], check=True)
        return
    target = find(window, path[0], must_show=True)
    for name in path[1:]:
        target = find(target, name)
    target.queryAction().doAction(0)


def shown_window(app, expected):
    """The expected window, once it is the one the program shows (beside the main window)."""
    def window():
        shown = [w for w in app if w is not None and showing(w)]
        found = [w for w in shown if expected.shows <= {(o.getRoleName(), o.name)
                                                        for o in descendants(w) if showing(o)}]
        return found[0] if len(shown) == 1 + expected.beside and len(found) == 1 else None
    wait_for(f"{expected.name} is not the one window shown", window)
    return window()


def check(window, expected):
    failures, qt_faults = [], set()
    for obj in descendants(window):
        role, parent = obj.getRoleName(), obj.parent
        where = f"in {parent.getRoleName()} {parent.name!r}"
        # Qt presents the choices of a closed combo box as showing, for a screen reader to read.
        choice = role == "list item" and parent.parent.getRoleName() == "combo box"
        # Qt tells a cell (or header) of a table or tree showing by its place alone, so those of
        # a view on a hidden tab page count as showing: a known fault of Qt, reported once.
        hidden_view = parent.getRoleName() in ("table", "tree") and not showing(parent)
        if showing(obj) and hidden_view:
            qt_faults.add(f"cells of the hidden {parent.getRoleName()} {parent.name!r} shown")
        elif showing(obj) and not showing(parent) and not choice:
            failures.append(f"{role} {obj.name!r} is shown {where}, which is hidden")
        unnamed_role = role in UNNAMED_ROLES or (role, parent.getRoleName()) in UNNAMED_IN
        if (showing(obj) or role == "menu item") and not unnamed_role and not obj.name:
            failures.append(f"a {role} without a name {where}")
        if role in NOT_INSIDE_A_WINDOW:
            failures.append(f"{role} {obj.name!r} {where}: a window inside a window, or no role")
    for name in expected.hides:
        state = find(window, name).getState()
        if state.contains(pyatspi.STATE_SHOWING) or state.contains(pyatspi.STATE_VISIBLE):
            failures.append(f"the hidden {name!r} is exposed as visible or showing")
    for failure in sorted(set(expected.known) - set(failures)):
        failures.append(f"fixed, no longer a known fault: {failure}")
    for failure in dict.fromkeys(failures):
        if failure in expected.known:
            print(f"known fault: {expected.name}: {failure}: {expected.known[failure]}")
        else:
            print(f"FAIL: {expected.name}: {failure}")
    for fault in sorted(qt_faults):
        print(f"known fault: {expected.name}: {fault}: Qt's, not the program's")
    failures = [f for f in failures if f not in expected.known]
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


def follow_the_calculator(coverage, main_window):
    """Coverage shows the calculator's row 1, and follows a width set in its box."""
    wait_for(f"Coverage does not show the density {FOLLOWED[0]!r}",
             lambda: any(o.name.endswith(FOLLOWED) for o in descendants(coverage)))
    find(main_window, ENTRY_BOX).queryEditableText().setTextContents(WIDER)
    focal = find(coverage, "Focal length")
    wait_for(f"Coverage's focal length is {text_of(focal)!r}, not {WIDER_FOCAL!r}",
             lambda: text_of(focal) == WIDER_FOCAL)
    print("ok: Coverage follows the calculator")


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
        if expected.name == "Coverage":
            follow_the_calculator(shown_window(app, expected), window)
        press(shown_window(app, expected), expected.closed_by)
        window = shown_window(app, main_window)
    press(window, Keys("ctrl+k"))  # File > Exit ends the program with Coverage open
    shown_window(app, WINDOWS[-1])
    try:
        press(window, ["File", "Exit"])
    except Exception:  # the program may end before it answers; atspi_test.sh sees it end
        pass
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(int(sys.argv[1])))
