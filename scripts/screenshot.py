#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Takes the README's pictures from the real program on a private Xvfb.

Plays one round under German settings (arm, wait for the red circle, click,
close the verdict), saves the window showing the measured time as
screenshot-result.png, then arms the next attempt and saves the window with
the red circle as screenshot.png. The program hides the previous time while
an attempt runs, so the two moments need two pictures.

    /usr/bin/python3 scripts/screenshot.py --program build/app/klappomatikus --outdir docs

or `make screenshot`. It drives the program through the end-to-end tests'
library (tests/e2e/e2elib.py), and checks what each picture must show
before saving it.
"""

import os
import re
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2elib as e  # noqa: E402
from e2elib import check, log  # noqa: E402

# Seconds between seeing the circle and clicking: a plausible human time.
CLICK_AFTER = 0.25


def save_window(session, path):
    """The program's window alone: menu bar and client area, no frame, as
    Xvfb runs no window manager."""
    session.screenshot(os.path.abspath(path), session.window)
    log(f"saved {path}")


def circle_centre(session):
    return session.centre_of(e.SHAPE1)


def wait_for_circle(session):
    e.poll(lambda: session.pixel(*circle_centre(session)) == e.RED, 8, 0.002, "the red circle")


def main():
    args = e.parse_arguments()
    os.makedirs(args.outdir, exist_ok=True)
    # Logs of the program, Xvfb and the bus stay out of the target folder.
    with tempfile.TemporaryDirectory(prefix="klappo-screenshot-") as logs, \
            e.Session(args.program, logs, "screenshot", accessibility=True,
                      lang="de_DE.UTF-8") as session:
        session.start_program()
        session.wait_for_main_window()
        pyatspi = session.atspi()
        label3 = e.poll(lambda: session.accessible_at(e.LABEL3, "label", required=False), 10, 0.05,
                        "the time label")
        showing = lambda node: session.has_state(node, pyatspi.STATE_SHOWING)  # noqa: E731

        # A first round, so that there is a time.
        session.click_control(e.COMMAND1)
        session.move_to(*session.centre_of(e.COMMAND3))
        wait_for_circle(session)
        time.sleep(CLICK_AFTER)
        session.click()
        box = session.wait_for_window(e.VERDICT_TITLE, 5)
        session.xdotool("windowfocus", "--sync", box)
        session.xdotool("key", "Return")
        e.poll(lambda: not session.find_windows(e.VERDICT_TITLE), 3, 0.01,
               "the verdict box to close")
        e.poll(lambda: showing(label3), 3, 0.01, "the time to show")
        check(re.fullmatch(r"\d,\d{3} Sekunden", label3.name),
              f"the time reads {label3.name!r}, not \"0,000 Sekunden\"")
        e.poll(lambda: session.pixel(*circle_centre(session)) != e.RED, 2, 0.01, "the circle to go")
        # Keep the pointer off the window, so that no button shows it hovering.
        session.move_to(e.SCREEN_WIDTH - 1, e.SCREEN_HEIGHT - 1)
        time.sleep(0.3)
        save_window(session, os.path.join(args.outdir, "screenshot-result.png"))
        log(f"the window shows {label3.name!r}")

        # The next attempt, photographed while the circle shows.
        session.click_control(e.COMMAND1)
        session.move_to(e.SCREEN_WIDTH - 1, e.SCREEN_HEIGHT - 1)
        wait_for_circle(session)
        time.sleep(0.3)
        check(session.pixel(*circle_centre(session)) == e.RED, "the circle went before the picture")
        save_window(session, os.path.join(args.outdir, "screenshot.png"))

        session.click_control(e.COMMAND2)
        status = session.wait_for_exit(5)
        check(status == 0, f"the program ended with status {status}")


if __name__ == "__main__":
    e.run(main)
