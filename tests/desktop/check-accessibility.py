#!/usr/bin/python3
"""Drives the real program through its accessibility tree (AT-SPI), the way
a screen reader sees it: every control must expose its text as its name and
its tooltip as its description, the menu must be reachable and open, and one
whole attempt must be possible through the tree alone, with the verdict box
text and the measured time readable.

Run inside a D-Bus session on an X display:
    check-accessibility.py <program> <homepage> <verdicttable.h>
"""

import os
import re
import subprocess
import sys
import time

import pyatspi

program, homepage, verdict_header = sys.argv[1:4]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def wait_for(what, predicate, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            result = predicate()
        except Exception:  # the tree changes under our feet
            result = None
        if result:
            return result
        time.sleep(0.05)
    raise SystemExit(f"FAIL: timed out waiting for {what}")


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def has_state(node, state):
    return node.getState().contains(state)


def press(node, action="Press"):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if not check(action in names, f"{node.name!r} offers no {action} action (has {names})"):
        return
    actions.doAction(names.index(action))


def verdict_messages(header):
    """The sixteen verdict sentences, read from the program's own table."""
    text = open(header, encoding="utf-8").read()
    table = text[text.index("Messages{"):]
    table = table[:table.index("};")]
    # Adjacent literals, separated by white space only, form one message.
    literal = r'"(?:[^"\\]|\\.)*"'
    messages = []
    for entry in re.findall(rf'((?:{literal}\s*)+)', table):
        parts = re.findall(r'"((?:[^"\\]|\\.)*)"', entry)
        messages.append("".join(parts).replace('\\"', '"'))
    return messages


# Controls in tab order: role, name, description (the tooltip).
EXPECTED_CONTROLS = [
    ("label", "Ihre Reaktionszeit ist", ""),
    ("push button", "Ich bin bereit", "Los geht's"),
    ("push button", "Kein Bock mehr", "Programm beenden"),
    ("label", "Testen Sie Ihre Reaktionszeit, indem Sie nach dem Erscheinen eines roten "
              "Kreises sofort auf den Button unten in der Mitte klicken.", ""),
    ("push button", "Sobald Sie den Kreis sehen, klicken Sie mit der linken Maustaste auf "
                    "dieses Feld.", "Bitte volle Konzentration"),
    ("label", "", ""),
    ("label", "Auf meiner Homepage finden Sie noch viel mehr solcher kleinen \"nützlichen\" "
              "Programme. Dort gibt's auch jede Menge Scherzprogramme mit denen Sie Ihre "
              "\"besten Freunde\" ärgern können.", ""),
    ("label", homepage, ""),
]

messages = verdict_messages(verdict_header)
check(len(messages) == 16, f"read {len(messages)} verdict messages instead of 16")

# The registry must run before the program starts, as on a desktop, or the
# program finds nobody to announce itself to.
desktop = pyatspi.Registry.getDesktop(0)
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
process = subprocess.Popen([program], env=env)
started = time.monotonic()
try:
    def find_window():
        for application in children(desktop):
            if application.name == "klappomatikus":
                for window in children(application):
                    if window.name == "Klappomatikus" and has_state(window, pyatspi.STATE_SHOWING):
                        return application, window
        return None

    application, window = wait_for("the window in the accessibility tree", find_window, 10)
    print(f"window found after {time.monotonic() - started:.1f} s", flush=True)

    parts = children(window)
    menu_bar = next((p for p in parts if p.getRoleName() == "menu bar"), None)
    client = next((p for p in parts if p.getRoleName() == "filler"), None)
    check(menu_bar is not None, "no menu bar in the window")
    check(client is not None, "no client area in the window")

    controls = children(client)
    actual = [(c.getRoleName(), c.name, c.description) for c in controls[:len(EXPECTED_CONTROLS)]]
    for expected, seen in zip(EXPECTED_CONTROLS, actual):
        check(expected == seen, f"control exposed as {seen!r}, expected {expected!r}")
    check(len(actual) == len(EXPECTED_CONTROLS),
          f"{len(actual)} controls exposed, expected {len(EXPECTED_CONTROLS)}")
    label1, command1, command2, _, command3, label3 = controls[:6]
    check(has_state(command1, pyatspi.STATE_ENABLED), "'Ich bin bereit' is not enabled")
    check(not has_state(command3, pyatspi.STATE_ENABLED), "the reaction button is enabled at start")
    check(not has_state(label1, pyatspi.STATE_SHOWING), "'Ihre Reaktionszeit ist' shows at start")

    # The menu: INFO opens through its action and holds the one item.
    if menu_bar is not None:
        items = children(menu_bar)
        check([i.name for i in items] == ["INFO"], f"menu bar holds {[i.name for i in items]}")
        info = items[0]
        popup = children(info)[0] if info.childCount else None
        check(popup is not None and popup.getRoleName() == "popup menu", "INFO has no menu")
        if popup is not None:
            klap = children(popup)
            check(len(klap) == 1 and klap[0].name.startswith("Klappomatikus 1.0 "),
                  f"INFO holds {[k.name for k in klap]}")
            press(info, "ShowMenu")
            wait_for("the INFO menu to open", lambda: has_state(popup, pyatspi.STATE_SHOWING), 5)
            pyatspi.Registry.generateKeyboardEvent(0xff1b, None, pyatspi.KEY_SYM)  # Escape
            wait_for("the INFO menu to close", lambda: not has_state(popup, pyatspi.STATE_SHOWING), 5)

    # One attempt, through the tree only.
    press(command1)
    wait_for("the reaction button to be enabled",
             lambda: has_state(command3, pyatspi.STATE_ENABLED), 5)
    # The circle joins the client area's children when it shows.
    wait_for("the red circle", lambda: next(
        (c for c in children(client) if c.name == "Roter Kreis"
         and has_state(c, pyatspi.STATE_SHOWING)), None), 8)
    press(command3)

    def find_verdict_box():
        for top in children(application):
            if top.name == "Auswertung" and has_state(top, pyatspi.STATE_SHOWING):
                return top
        return None

    box = wait_for("the verdict box", find_verdict_box, 5)
    texts = []

    def collect(node):
        for child in children(node):
            if child.getRoleName() == "label" and child.name:
                texts.append(child.name)
            collect(child)

    collect(box)
    check(any(t in messages for t in texts),
          f"the verdict box reads {texts!r}, none of which is a verdict")
    print(f"verdict box ({box.getRoleName()} {box.name!r}) reads:", texts, flush=True)
    ok = next((c for c in children(box) if c.getRoleName() == "push button"), None)
    if ok is None:  # the buttons sit in a button box
        ok = wait_for("the OK button", lambda: next(
            (n for n in pyatspi.findAllDescendants(box, lambda n: n.getRoleName() == "push button")),
            None), 2)
    press(ok)
    wait_for("the verdict box to close", lambda: find_verdict_box() is None, 5)

    wait_for("the time to show", lambda: has_state(label3, pyatspi.STATE_SHOWING), 5)
    check(has_state(label1, pyatspi.STATE_SHOWING), "'Ihre Reaktionszeit ist' is hidden after the attempt")
    check(re.fullmatch(r"-?\d+\.\d{3} Sekunden", label3.name) is not None,
          f"the time reads {label3.name!r}")
    print("time reads:", label3.name, flush=True)

    # Ending through the tree as well.
    press(command2)
    status = process.wait(timeout=5)
    check(status == 0, f"the program ended with status {status}")
finally:
    if process.poll() is None:
        process.kill()
        process.wait()

print(f"done in {time.monotonic() - started:.1f} s", flush=True)
sys.exit(1 if failures else 0)
