# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Two attempts with the keyboard only, on a bare X server without a window
manager, with the pointer off the window so that it cannot steer the
keyboard: Space arms, the focus moves to the reaction button (never to
"Kein Bock mehr", where the next Space would end the program), Space
reacts, Return dismisses the verdict, and the window takes the input focus
back itself, with "Ich bin bereit" focused for the next Space. Closing the
window while armed ends the program normally.

The red circle is in the accessibility tree, named "Roter Kreis", only
while it is on screen, and its appearing and going are announced."""

import time

import e2elib as e
from e2elib import check, log

CIRCLE_NAME = "Roter Kreis"


def main():
    args = e.parse_arguments()
    with e.Session(args.program, args.outdir, "keyboard", accessibility=True,
                   lang="de_DE.UTF-8") as session:
        session.start_program()
        window = session.wait_for_main_window()
        pyatspi = session.atspi()
        e.poll(lambda: session.top_level("Klappomatikus"), 10, 0.05, "the window")
        command1 = e.poll(lambda: session.accessible_at(e.COMMAND1, "button", required=False),
                          5, 0.05,
                          "Ich bin bereit")
        command2 = session.accessible_at(e.COMMAND2, "button")
        command3 = session.accessible_at(e.COMMAND3, "button")
        label3 = session.accessible_at(e.LABEL3, "label")
        focused = lambda node: session.has_state(node, pyatspi.STATE_FOCUSED)  # noqa: E731
        enabled = lambda node: session.has_state(node, pyatspi.STATE_ENABLED)  # noqa: E731
        circle = session.centre_of(e.SHAPE1)
        circle_nodes = lambda: [node for node in session.accessibles(  # noqa: E731
            session.top_level("Klappomatikus")) if node.name == CIRCLE_NAME]
        showing = "object:state-changed:showing"
        session.listen(showing)
        # The pointer off the window: the X server's default focus follows
        # the pointer and would otherwise carry the keys to the window.
        session.move_to(0, 0)
        check(session.geometry(window)[:2] > (0, 0), "the window covers the screen's corner")

        e.poll(lambda: session.input_focus() == window, 3, 0.02,
               "the window to take the input focus at start-up")
        e.poll(lambda: focused(command1), 3, 0.02, "the focus on \"Ich bin bereit\" at start-up")

        for number in (1, 2):
            check(not circle_nodes(), f"\"{CIRCLE_NAME}\" is in the tree before the circle shows")
            earlier = len(session.events())

            def announced(shows, earlier=earlier):
                return (showing, shows, CIRCLE_NAME) in session.events()[earlier:]
            session.xdotool("key", "space")
            e.poll(lambda: not enabled(command1) and enabled(command3), 2, 0.01,
                   "Space to arm the attempt")
            e.poll(lambda: focused(command3), 2, 0.01, "the focus on the reaction button")
            check(not focused(command2), "the focus rests on \"Kein Bock mehr\" after arming")

            e.poll(lambda: session.pixel(*circle) == e.RED, 8, 0.001, "the red circle")
            seen_at = time.monotonic()
            nodes = e.poll(circle_nodes, 3, 0.01, f"\"{CIRCLE_NAME}\" in the accessibility tree")
            check(len(nodes) == 1 and session.is_role(nodes[0], "image")
                  and session.has_state(nodes[0], pyatspi.STATE_SHOWING)
                  and session.extents(nodes[0]) == session.to_screen(e.SHAPE1),
                  f"the circle's accessible is not one showing image over the circle: "
                  f"{[(node.getRoleName(), session.extents(node)) for node in nodes]}")
            e.poll(lambda: announced(1), 3, 0.01, "the announcement that the circle shows")
            time.sleep(0.25)
            before = time.monotonic()
            session.xdotool("key", "space")
            after = time.monotonic()

            box = session.wait_for_window("Auswertung", 5)
            e.poll(lambda: session.input_focus() == box, 3, 0.01,
                   "the verdict to take the input focus")
            session.xdotool("key", "Return")
            e.poll(lambda: not session.find_windows("Auswertung"), 3, 0.01,
                   "Return to close the verdict")
            e.poll(lambda: session.has_state(label3, pyatspi.STATE_SHOWING), 3, 0.01,
                   "the time to show")
            e.poll(lambda: not circle_nodes(), 3, 0.01,
                   f"\"{CIRCLE_NAME}\" to leave the accessibility tree")
            e.poll(lambda: announced(0), 3, 0.01, "the announcement that the circle went")
            text = label3.name
            log(f"attempt {number} by keyboard: Space {(before - seen_at) * 1000:.0f}.."
                f"{(after - seen_at) * 1000:.0f} ms after the circle, shown {text!r}")
            check(text.endswith(" Sekunden"), f"the time reads {text!r}")
            shown = float(text.split()[0].replace(",", "."))
            check(before - seen_at - 0.0015 <= shown + 0.05 <= after - seen_at + 0.1,
                  f"shown {text} does not match a Space pressed "
                  f"{(before - seen_at) * 1000:.0f} ms after the circle")

            e.poll(lambda: session.input_focus() == window, 3, 0.01,
                   "the window to take the input focus back after the verdict")
            e.poll(lambda: enabled(command1) and focused(command1), 3, 0.01,
                   "the focus back on \"Ich bin bereit\" after the verdict")

        # Closing the window while an attempt is armed ends the program.
        session.xdotool("key", "space")
        e.poll(lambda: enabled(command3), 2, 0.01, "Space to arm the attempt")
        session.request_close(window)
        status = session.wait_for_exit(5)
        check(status == 0, f"closing the window ended the program with status {status}")


if __name__ == "__main__":
    e.run(main)
