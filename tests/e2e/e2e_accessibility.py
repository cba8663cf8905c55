# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""The program as a screen reader user meets it: the controls in tab order
(the homepage a link that takes the focus and opens once through its press
action, as a click does), the menu opened through its action, and two
attempts played through the accessibility actions alone, with the verdict and the time read from the
tree. What a reader relies on is checked on the way: the circle is a
notification and says when it shows; after every verdict the time is
announced, and the time label's visible and showing states and the events
that report them follow each hide and show (a reader that saw the label
hidden would otherwise skip it); the focus never rests on "Kein Bock
mehr"."""

import re
import time

import e2elib as e
from e2elib import ANNOUNCEMENT, CIRCLE_NAME, FOCUSED, SHOWING, VISIBLE, check, log, read_calls

def children(node):
    return [node.getChildAtIndex(index) for index in range(node.childCount)]


def press(node, action="Press"):
    actions = node.queryAction()
    names = [actions.getName(index) for index in range(actions.nActions)]
    check(action in names, f"{node.name!r} offers no {action} action (has {names})")
    actions.doAction(names.index(action))


def check_tab_order(session, client, homepage):
    controls = children(client)[:len(e.CONTROLS)]
    expected = [(role, homepage if name is None else name, tip)
                for role, _, name, tip in e.CONTROLS]
    for (role, name, tip), node in zip(expected, controls):
        check(session.is_role(node, role) and node.name == name and node.description == tip,
              f"control exposed as {session.describe(node)} described {node.description!r}, "
              f"expected {role} {name!r} described {tip!r}")
    check(len(controls) == len(e.CONTROLS),
          f"{len(controls)} controls exposed, expected {len(e.CONTROLS)}")
    return controls


def check_link_press(link, homepage, record):
    """The link's press action hands the homepage to the opener once."""
    press(link)
    e.poll(lambda: read_calls(record), 5, 0.02, "the press action to open the homepage")
    time.sleep(0.3)
    calls = read_calls(record)
    check([call[1:] for call in calls] == [[homepage]],
          f"the press action made the opener calls {calls}")


def check_menu(session, frame):
    pyatspi = session.atspi()
    menu_bar = session.find_accessible("menu bar", frame)
    info = session.find_accessible("menu item", menu_bar, "INFO")
    popup = session.find_accessible("popup menu", info, what="the INFO menu")
    items = [node.name for node in children(popup)]
    check(len(items) == 1 and items[0].startswith("Klappomatikus 1.0 "), f"INFO holds {items}")
    press(info, "ShowMenu")
    e.poll(lambda: session.has_state(popup, pyatspi.STATE_SHOWING), 5, 0.02, "the menu to open")
    pyatspi.Registry.generateKeyboardEvent(0xff1b, None, pyatspi.KEY_SYM)  # Escape
    e.poll(lambda: not session.has_state(popup, pyatspi.STATE_SHOWING), 5, 0.02,
           "the menu to close")


def since(session, mark, wanted):
    """Whether the event (type, detail1, source name) came after mark."""
    return wanted in session.events()[mark:]


def check_circle(session, mark):
    """The circle is a notification that says it shows."""
    e.poll(lambda: since(session, mark, (SHOWING, 1, CIRCLE_NAME)), 3, 0.01,
           f"the showing event of \"{CIRCLE_NAME}\"")
    circle = session.find_accessible("notification", session.top_level("Klappomatikus"),
                                     CIRCLE_NAME)
    check(session.has_state(circle, session.atspi().STATE_SHOWING),
          f"\"{CIRCLE_NAME}\" is not showing")


def check_time_appeared(session, label3, mark):
    """The time label is visible and showing, and said so; the time is
    announced, as an announcement or as a notification that shows."""
    pyatspi = session.atspi()
    for state in (pyatspi.STATE_VISIBLE, pyatspi.STATE_SHOWING):
        check(session.has_state(label3, state), f"the time label lacks {state}")
    for event in (VISIBLE, SHOWING):
        e.poll(lambda: since(session, mark, (event, 1, label3.name)), 3, 0.01,
               f"the time label's {event} event")
    spoken = "Ihre Reaktionszeit ist " + label3.name
    e.poll(lambda: any(source == spoken and (kind.startswith(ANNOUNCEMENT)
                                             or (kind, shows) == (SHOWING, 1))
                       for kind, shows, source in session.events()[mark:]), 3, 0.01,
           f"the announcement {spoken!r}")


def play_attempt(session, controls, number):
    pyatspi = session.atspi()
    showing = lambda node: session.has_state(node, pyatspi.STATE_SHOWING)  # noqa: E731
    enabled = lambda node: session.has_state(node, pyatspi.STATE_ENABLED)  # noqa: E731
    label1, command1, _, _, command3, label3 = controls[:6]
    check(enabled(command1) and not enabled(command3), "wrong buttons enabled before arming")
    check(showing(label1) == (number > 1), "\"Ihre Reaktionszeit ist\" shows before arming "
          "the first attempt, or not after one")

    shown_before = label3.name
    mark = len(session.events())
    press(command1)
    e.poll(lambda: enabled(command3), 5, 0.02, "the reaction button to be enabled")
    e.poll(lambda: since(session, mark, (VISIBLE, 0, shown_before)), 3, 0.01,
           "the time label's visible event on arming")
    check(not session.has_state(label3, pyatspi.STATE_VISIBLE),
          "the time label stays visible while armed")
    ox, oy = session.client_origin()
    centre = (ox + e.SHAPE1[0] + e.SHAPE1[2] // 2, oy + e.SHAPE1[1] + e.SHAPE1[3] // 2)
    e.poll(lambda: session.pixel(*centre) == e.RED, 8, 0.01, "the red circle")
    check_circle(session, mark)
    mark = len(session.events())
    press(command3)

    def verdict_box():
        box = session.top_level(e.VERDICT_TITLE)
        return box if box is not None and showing(box) else None

    box = e.poll(verdict_box, 5, 0.02, "the verdict box")
    texts = [node.name for node in session.accessibles(box)
             if session.is_role(node, "label") and node.name]
    log(f"verdict box reads: {texts}")
    check(any(text in e.VERDICTS for text in texts),
          f"the verdict box reads {texts}, none of which is a verdict")
    press(session.find_accessible("button", box, "OK", "OK button in the verdict box"))
    e.poll(lambda: verdict_box() is None, 5, 0.02, "the verdict box to close")

    e.poll(lambda: showing(label3), 5, 0.02, "the time to show")
    check(showing(label1), "\"Ihre Reaktionszeit ist\" is hidden after the attempt")
    check(re.fullmatch(r"-?\d+\.\d{3} Sekunden", label3.name) is not None,
          f"the time reads {label3.name!r}")
    check_time_appeared(session, label3, mark)
    log(f"attempt {number}: time reads {label3.name}, announced")


def main():
    args = e.parse_arguments(lambda p: p.add_argument("--homepage", required=True))
    with e.stand_in_opener() as (opener_dir, _, record), \
            e.Session(args.program, args.outdir, "accessibility", accessibility=True,
                      extra_path=opener_dir) as session:
        session.start_program()
        session.wait_for_main_window()
        frame = e.poll(lambda: session.top_level("Klappomatikus"), 10, 0.05, "the window")
        client = session.find_accessible("filler", frame, what="the client area")
        controls = check_tab_order(session, client, args.homepage)
        check(session.has_state(controls[-1], session.atspi().STATE_FOCUSABLE),
              "the homepage link cannot take the focus")
        check_link_press(controls[-1], args.homepage, record)
        check_menu(session, frame)
        session.listen(SHOWING, VISIBLE, FOCUSED, ANNOUNCEMENT)
        for number in (1, 2):
            play_attempt(session, controls, number)
        check((FOCUSED, 1, controls[2].name) not in session.events(),
              f"the focus passed {controls[2].name!r} during the attempts")
        press(controls[2])  # "Kein Bock mehr"
        status = session.wait_for_exit(5)
        check(status == 0, f"the program ended with status {status}")


if __name__ == "__main__":
    e.run(main)
