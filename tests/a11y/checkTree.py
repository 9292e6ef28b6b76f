"""Reads the program's pages through AT-SPI, as a screen reader does, and operates them.

Run by atspiUnderXvfb.sh on its own X server and accessibility bus, over a simulated receiver
with factory content. Arguments: the vantrel-devsim program, a file to write the tree excerpts
into, and a file it creates once it listens, after which the program is started. Exits 1 after
the failed checks' texts.
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DEVSIM = sys.argv[1]
EXCERPT = sys.argv[2]
LISTENING = sys.argv[3]

failures = []


def check(condition, text):
    if not condition:
        failures.append(text)
        print("FAILED:", text)
    return condition


def fail(text):
    print("FAILED:", text)
    sys.exit(1)


# The announcements heard so far: (event type, the source's role, its name at arrival).
heard = []


def hear(event):
    try:
        heard.append((event.type, event.source.getRoleName(), event.source.name))
    except Exception:  # a source gone before it is asked
        pass


def wait_for(what, condition, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        # Announcements arrive through the main loop.
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            result = condition()
        except Exception:  # the tree may change under a walk
            result = None
        if result:
            return result
        time.sleep(0.1)
    fail("timed out waiting for " + what + "; heard lately: " + repr(heard[-4:]))


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def walk(node):
    yield node
    for child in children(node):
        if child is not None:
            yield from walk(child)


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "VantrelConfig":
            return app
    return None


def main_window():
    app = application()
    if app is None:
        return None
    for window in children(app):
        if window.getRoleName() == "dialog" and window.name == "Vantrel Setup Utility V104a":
            return window
    return None


def panel(name):
    for node in children(main_window()):
        if node.getRoleName() == "panel" and node.name == name:
            return node
    return None


def items(page):
    """Name to node for every item of a page, groups and their members included."""
    return {node.name: node for node in walk(page) if node is not page}


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    fail(node.name + " has no Press action")


def line(node, depth):
    text = "  " * depth + '%s "%s"' % (node.getRoleName(), node.name)
    if node.description:
        text += ' description="%s"' % node.description
    try:
        value = node.queryValue()
        text += " value=%g (%g..%g)" % (value.currentValue, value.minimumValue, value.maximumValue)
    except NotImplementedError:
        pass
    marks = sorted(states(node) & {"active", "checked", "pressed", "selected", "showing"})
    if marks:
        text += " [" + ", ".join(marks) + "]"
    return text


def excerpt(page, count):
    lines = []

    def visit(node, depth):
        if len(lines) < count:
            lines.append(line(node, depth))
            for child in children(node):
                visit(child, depth + 1)

    visit(page, 0)
    return lines


def message_box_ok(text):
    """Closes the message box with this text by its OK button, as a screen reader user would."""

    def find():
        for window in children(application()):
            if window.getRoleName() in ("dialog", "alert") and window is not main_window():
                nodes = list(walk(window))
                if any(text in (n.name or "") for n in nodes):
                    return next(n for n in nodes if n.getRoleName() == "push button" and n.name == "OK")
        return None

    press(wait_for('the message "%s"' % text, find))


def device_byte(address):
    dump = subprocess.run([DEVSIM, "dump"], capture_output=True, text=True, check=True).stdout
    for row in dump.splitlines():
        start, _, values = row.strip().partition(": ")
        if start.isdigit() and int(start) <= address < int(start) + 16 and len(values.split()) == 16:
            return int(values.split()[address - int(start)], 16)
    fail("no byte %d in the dump" % address)


def x_window():
    found = subprocess.run(["xdotool", "search", "--name", "Vantrel Setup Utility"],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def pointer_to(page, x, y):
    origin = page.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(origin.x + x), str(origin.y + y)], check=True)


# Qt sends value changes only to readers that also ask for value-changed events, as screen
# readers do.
pyatspi.Registry.registerEventListener(hear, "object:property-change:accessible-name",
                                       "object:property-change:accessible-value",
                                       "object:value-changed")
# A program that starts after the listeners learns of them at once; one that is already
# running may hear of them late.
open(LISTENING, "w").close()

# --- the window as the screen reader finds it
wait_for("the main window on the accessibility bus", main_window, 30)
pc = wait_for("the PC Setup page", lambda: panel("PC Setup"))
x360 = panel("XBox 360 Setup")
check(x360 is not None, "the XBox 360 Setup page is on the bus")
check(not any(n.getRoleName() in ("text", "filler") or
              (n.getRoleName() != "application" and not n.name and n.getRoleName() != "status bar")
              for n in walk(main_window())),
      "no unnamed item and no hidden place-holder field is left")

# A resting pointer on empty background: nothing hovered, the default help text.
pointer_to(pc, 700, 20)
help_line = next(n for n in children(pc) if n.getRoleName() == "status bar")
wait_for("the default help text", lambda: help_line.name ==
         "Put the cursor on a button label which you want to define.")
wait_for("the first quality reading", lambda: items(pc)["Mouse Pad Quality"].description == "045")

pc_items = items(pc)
factory = {"Dpad Down": "3", "Dpad Left": "2", "LT": "Shift(left)", "LB": "Space", "Guide": "F",
           "Left Joystick, Press": "T", "Back": "E", "Left Joystick, Left": "A",
           "Left Joystick, Right": "D", "Left Joystick, Up": "W", "Left Joystick, Down": "S",
           "Dpad Right": "4", "Dpad UP": "1", "X": "Z", "Y": "C", "B": "L", "A": "X", "Start": "Q"}
labels = [n for n in children(pc) if n.getRoleName() == "push button"][:18]
check([n.name for n in labels] == list(factory), "the 18 labels in slot order, by caption")
for label in labels:
    check(label.description == factory.get(label.name), "%s shows %s" % (label.name, factory.get(label.name)))
    check(not states(label) & {"active", "pressed"}, label.name + " is neither hovered nor capturing")
for name in ("SAVE", "RESET", "EXIT", "Load Profile", "Save As Profile"):
    check(pc_items.get(name) is not None and pc_items[name].getRoleName() == "push button",
          name + " is a button")
quality = pc_items["Mouse Pad Quality"]
check(quality.getRoleName() == "progress bar" and quality.queryValue().currentValue == 45,
      "the quality reads 45")
tabs = pc_items["Setup pages"]
check(tabs.getRoleName() == "page tab list" and [t.name for t in children(tabs)] ==
      ["PC Setup", "XBox 360 Setup"], "the tab list holds the two tabs")
check("selected" in states(children(tabs)[0]) and "selected" not in states(children(tabs)[1]),
      "the PC Setup tab is selected")

# --- define LB by its action, a key press and SAVE
lb = pc_items["LB"]
press(lb)
wait_for("LB capturing", lambda: {"active", "pressed"} <= states(lb) and lb.description == "???")
check(help_line.name.startswith("Press a key or two-key combination"), "the capture help text")
wait_for("the capture help text announced", lambda: any(
    kind.endswith("accessible-name") and role == "status bar" and name.startswith("Press a key")
    for kind, role, name in heard))
window = x_window()
check(window is not None, "xdotool finds the window")
subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=10)
subprocess.run(["xdotool", "key", "b"], check=True, timeout=10)
wait_for("LB showing B", lambda: lb.description == "B")
press(pc_items["SAVE"])
message_box_ok("The new PC settings have been saved in your Vantrel sucessfully!")
wait_for("LB's new key on the device", lambda: device_byte(52 + 3) == 0x42)
check("pressed" not in states(lb), "the capture ended with SAVE")
pc_excerpt = excerpt(pc, 8) + ["  ..."] + [line(n, 1) for n in children(pc)[-3:]]

# A new reading is announced and read with the page's own text.
subprocess.run([DEVSIM, "quality", "128"], check=True)
wait_for("the reading -50", lambda: quality.queryValue().currentValue == -50 and
         quality.description == "-50")
wait_for("the new reading announced", lambda: any(
    kind.endswith("accessible-value") and role == "progress bar" for kind, role, _ in heard))

# --- the XBox 360 Setup page
press(children(tabs)[1])
wait_for("the XBox 360 Setup page shown", lambda: "showing" in states(x360))
x_items = items(x360)
check("selected" in states(x_items["XBox 360 Setup"]), "the XBox 360 Setup tab is selected")
keys = [n for n in children(x360) if n.getRoleName() == "label"]
check(len(keys) == 14 and keys[7].name == "Mouse left button" and keys[7].description == "RT",
      "14 keys named by place, the mouse's left button holding RT")
icons = [n for n in children(x360) if n.getRoleName() == "image"]
check(len(icons) == 14 and icons[0].name == "LS" and icons[0].description == "Controller stick press",
      "14 icons, LS on the stick press")
sensitivity = x_items["Key Sensitivity"]
check([(n.name, "checked" in states(n)) for n in children(sensitivity)] ==
      [("Low", False), ("Mid", True), ("High", False)], "sensitivity Mid is lit")
speeds = x_items["Firing Speed"]
check([n.name for n in children(speeds) if "checked" in states(n)] == ["5 per second"],
      "firing speed 5 per second is lit")
check([n.name for n in children(x360) if n.getRoleName() == "push button"] ==
      ["Reset", "Reload", "Default", "SAVE", "EXIT"], "the five commands")
press(children(sensitivity)[2])
wait_for("High lit", lambda: [n.name for n in children(sensitivity) if "checked" in states(n)] ==
         ["High"])
press(x_items["SAVE"])
message_box_ok("The new X360 settings have been saved in your Vantrel sucessfully!")
wait_for("sensitivity High on the device", lambda: device_byte(116) == 4)
x360_excerpt = (excerpt(x360, 6) + ["  ...", line(icons[0], 1), "  ..."] +
                [line(sensitivity, 1)] + [line(n, 2) for n in children(sensitivity)] + ["  ..."] +
                [line(n, 1) for n in children(x360)[-3:]])

# With nothing left unsaved, EXIT's action ends the program at once; the script checks how.
press(x_items["EXIT"])
wait_for("the program to end", lambda: application() is None)

with open(EXCERPT, "w") as out:
    out.write("\n".join(pc_excerpt + ["..."] + x360_excerpt) + "\n")
sys.exit(1 if failures else 0)
