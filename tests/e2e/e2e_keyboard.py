# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Two attempts with the keyboard only, on a bare X server without a window
manager, with the pointer off the window so that it cannot steer the
keyboard: Space arms, the focus moves to the reaction button (never to
"Kein Bock mehr", where the next Space would end the program), Space
reacts, Return dismisses the verdict, and the window takes the input focus
back itself, with "Ich bin bereit" focused for the next Space. Closing the
window while armed ends the program normally.

The red circle shows in the accessibility tree, named "Roter Kreis", only
while it is on screen, and its appearing and going are announced."""

import time

import e2elib as e
from e2elib import CIRCLE_NAME, SHOWING, check, log


class KeyboardUser:
    """Plays by keyboard alone and checks the focus, the circle's accessible
    and the time after each step."""

    def __init__(self, session, window):
        self.session = session
        self.window = window
        self.pyatspi = session.atspi()
        e.poll(lambda: session.top_level("Klappomatikus"), 10, 0.05, "the window")
        self.command1 = e.poll(
            lambda: session.accessible_at(e.COMMAND1, "button", required=False), 5, 0.05,
            "Ich bin bereit")
        self.command2 = session.accessible_at(e.COMMAND2, "button")
        self.command3 = session.accessible_at(e.COMMAND3, "button")
        self.label3 = session.accessible_at(e.LABEL3, "label")
        self.circle = session.centre_of(e.SHAPE1)
        session.listen(SHOWING)

    def has(self, node, state):
        return self.session.has_state(node, getattr(self.pyatspi, state))

    def circle_nodes(self):
        return [node for node in self.session.accessibles(self.session.top_level("Klappomatikus"))
                if node.name == CIRCLE_NAME and self.has(node, "STATE_SHOWING")]

    def start(self):
        session = self.session
        # The pointer off the window: the X server's default focus follows
        # the pointer and would otherwise carry the keys to the window.
        session.move_to(0, 0)
        check(session.geometry(self.window)[:2] > (0, 0), "the window covers the screen's corner")
        e.poll(lambda: session.input_focus() == self.window, 3, 0.02,
               "the window to take the input focus at start-up")
        e.poll(lambda: self.has(self.command1, "STATE_FOCUSED"), 3, 0.02,
               "the focus on \"Ich bin bereit\" at start-up")

    def arm(self):
        self.session.xdotool("key", "space")
        e.poll(lambda: not self.has(self.command1, "STATE_ENABLED")
               and self.has(self.command3, "STATE_ENABLED"), 2, 0.01, "Space to arm the attempt")

    def play(self, number):
        session = self.session
        check(not self.circle_nodes(), f"\"{CIRCLE_NAME}\" shows in the tree before the circle")
        earlier = len(session.events())

        def announced(shows):
            return (SHOWING, shows, CIRCLE_NAME) in session.events()[earlier:]
        self.arm()
        e.poll(lambda: self.has(self.command3, "STATE_FOCUSED"), 2, 0.01,
               "the focus on the reaction button")
        check(not self.has(self.command2, "STATE_FOCUSED"),
              "the focus rests on \"Kein Bock mehr\" after arming")
        e.poll(lambda: session.pixel(*self.circle) == e.RED, 8, 0.001, "the red circle")
        seen_at = time.monotonic()
        self.check_circle_node()
        e.poll(lambda: announced(1), 3, 0.01, "the announcement that the circle shows")
        time.sleep(0.25)
        before = time.monotonic()
        session.xdotool("key", "space")
        after = time.monotonic()
        self.dismiss_verdict()
        e.poll(lambda: not self.circle_nodes(), 3, 0.01,
               f"\"{CIRCLE_NAME}\" to stop showing in the accessibility tree")
        e.poll(lambda: announced(0), 3, 0.01, "the announcement that the circle went")
        self.check_time(number, before - seen_at, after - seen_at)
        e.poll(lambda: session.input_focus() == self.window, 3, 0.01,
               "the window to take the input focus back after the verdict")
        e.poll(lambda: self.has(self.command1, "STATE_ENABLED")
               and self.has(self.command1, "STATE_FOCUSED"), 3, 0.01,
               "the focus back on \"Ich bin bereit\" after the verdict")

    def check_circle_node(self):
        session = self.session
        nodes = e.poll(self.circle_nodes, 3, 0.01, f"\"{CIRCLE_NAME}\" in the accessibility tree")
        check(len(nodes) == 1 and session.is_role(nodes[0], "notification")
              and session.extents(nodes[0]) == session.to_screen(e.SHAPE1),
              f"the circle's accessible is not one showing notification over the circle: "
              f"{[(node.getRoleName(), session.extents(node)) for node in nodes]}")

    def dismiss_verdict(self):
        session = self.session
        box = session.wait_for_window(e.VERDICT_TITLE, 5)
        e.poll(lambda: session.input_focus() == box, 3, 0.01,
               "the verdict to take the input focus")
        session.xdotool("key", "Return")
        e.poll(lambda: not session.find_windows(e.VERDICT_TITLE), 3, 0.01,
               "Return to close the verdict")
        e.poll(lambda: self.has(self.label3, "STATE_SHOWING"), 3, 0.01, "the time to show")

    def check_time(self, number, lower, upper):
        """The shown time against a Space sent `lower` to `upper` seconds
        after the circle was seen."""
        text = self.label3.name
        log(f"attempt {number} by keyboard: Space {lower * 1000:.0f}.."
            f"{upper * 1000:.0f} ms after the circle, shown {text!r}")
        check(text.endswith(" Sekunden"), f"the time reads {text!r}")
        shown = float(text.split()[0].replace(",", "."))
        check(lower - 0.0015 <= shown + 0.05 <= upper + 0.1,
              f"shown {text} does not match a Space pressed {lower * 1000:.0f} ms after the circle")


def main():
    args = e.parse_arguments()
    with e.Session(args.program, args.outdir, "keyboard", accessibility=True,
                   lang="de_DE.UTF-8") as session:
        session.start_program()
        window = session.wait_for_main_window()
        user = KeyboardUser(session, window)
        user.start()
        for number in (1, 2):
            user.play(number)
        # Closing the window while an attempt is armed ends the program.
        user.arm()
        session.request_close(window)
        status = session.wait_for_exit(5)
        check(status == 0, f"closing the window ended the program with status {status}")


if __name__ == "__main__":
    e.run(main)
