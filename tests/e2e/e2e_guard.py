# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""The early-press guard: three presses on the reaction button before the
circle shows bring up the warning "und tschüss"; dismissing it ends the
program with status 0. One or two early presses change nothing."""

import time

import e2elib as e
from e2elib import check, log

# The circle comes at least 1000 ms after arming; the presses must all land
# well before that for the attempt to count as early.
EARLY_WINDOW = 0.9


def main():
    args = e.parse_arguments()
    with e.Session(args.program, args.outdir, "guard", accessibility=True) as session:
        for attempt in range(2):
            if run_once(session):
                return
            log("the presses were too slow to land before the circle; trying again")
    raise e.CheckFailed("could not press three times within the first second after arming")


def run_once(session):
    session.start_program()
    session.wait_for_main_window()
    circle = session.centre_of(e.SHAPE1)
    reaction_button = session.centre_of(e.COMMAND3)

    session.move_to(*session.centre_of(e.COMMAND1))
    armed_at = time.monotonic()
    session.click()
    session.move_to(*reaction_button)
    session.click()
    session.click()
    # Two early presses: no box, no circle, the program goes on.
    time.sleep(0.1)
    check(not session.find_windows(e.EARLY_PRESS_TITLE),
          "the warning came after only two early presses")
    check(session.app.poll() is None, "the program ended after two early presses")
    session.click()
    third_at = time.monotonic()
    if third_at - armed_at > EARLY_WINDOW or session.pixel(*circle) == e.RED:
        return False
    log(f"three presses within {(third_at - armed_at) * 1000:.0f} ms of arming")

    box = session.wait_for_window(e.EARLY_PRESS_TITLE, 3)
    check(not session.find_windows(e.VERDICT_TITLE), "an early press was measured")
    alert = e.poll(lambda: session.top_level(e.EARLY_PRESS_TITLE), 5, 0.02, "the warning box")
    texts = [node.name for node in session.accessibles(alert) if session.is_role(node, "label")]
    check(texts == [e.EARLY_PRESS_PROMPT],
          f"the warning says {texts}, expected [{e.EARLY_PRESS_PROMPT!r}]")
    check(session.app.poll() is None, "the program ended before the warning was dismissed")
    check(box in session.find_windows(e.EARLY_PRESS_TITLE), "the warning closed by itself")
    session.screenshot("guard-warning.png")

    ok = session.find_accessible("button", alert, "OK", "OK button in the warning box")
    ox, oy, ow, oh = session.extents(ok)
    session.click_at(ox + ow // 2, oy + oh // 2)
    dismissed_at = time.monotonic()
    status = session.wait_for_exit(5)
    log(f"program ended {(time.monotonic() - dismissed_at) * 1000:.0f} ms after the "
        f"warning was dismissed, status {status}")
    check(status == 0, f"the guard ended the program with status {status}")
    return True


if __name__ == "__main__":
    e.run(main)
