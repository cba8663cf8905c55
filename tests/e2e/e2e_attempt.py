# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""The reaction attempt as a person does it: arm, wait for the red circle,
click the reaction button a chosen moment later, read the verdict box, dismiss
it and read the shown time back from the accessibility tree. The shown time
plus the 50 ms the program subtracts must match this robot's own clock."""

import re
import time

import e2elib as e
from e2elib import check, log

# How far the shown time (plus 50 ms) may lie above the robot's interval:
# the circle is painted a little after the stopwatch starts, this side polls
# the screen, and the click travels through the X server. On a quiet machine
# that is a few milliseconds, on a busy one a few tens; each attempt gets a
# generous bound, and the best attempt a bound below the 50 ms that the
# program subtracts, so that a time shown without the subtraction fails.
SLACK_ABOVE = 0.100
BEST_SLACK_ABOVE = 0.040
# The time is shown to the millisecond.
SLACK_BELOW = 0.0015
SHOWN_OFFSET = 0.050


def circle_points(session):
    """Points inside and just outside the circle, in screen pixels."""
    ox, oy = session.client_origin()
    left, top, width, height = e.SHAPE1
    cx = ox + left + width / 2
    cy = oy + top + height / 2
    radius = e.CIRCLE_DIAMETER / 2
    inside = [(cx, cy), (cx - radius + 3, cy), (cx + radius - 3, cy), (cx, cy - radius + 3),
              (cx, cy + radius - 3)]
    outside = [(cx - radius - 3, cy), (cx + radius + 3, cy), (ox + left + 2, oy + top + 2),
               (ox + left + width - 3, oy + top + height - 3)]
    return ([(int(x), int(y)) for x, y in inside], [(int(x), int(y)) for x, y in outside])


def check_circle(session, inside, outside, when):
    pixels_in = [session.pixel(x, y) for x, y in inside]
    pixels_out = [session.pixel(x, y) for x, y in outside]
    check(pixels_in and all(pixel == e.RED for pixel in pixels_in),
          f"inside the circle {when}: {pixels_in} at {inside}")
    check(not any(pixel == e.RED for pixel in pixels_out),
          f"red outside the circle {when}: {pixels_out} at {outside}")


def allowed_rows(seconds):
    """Verdict rows possible for a time shown rounded to the millisecond."""
    rows = set()
    bounds = [k / 10 for k in range(1, 9)]
    for t in (seconds - 0.0005, seconds, seconds + 0.0005):
        if t < bounds[0]:
            rows.add(0)
        elif t >= bounds[-1]:
            rows.add(15)
        else:
            k = max(i for i in range(1, 8) if t >= bounds[i - 1])
            rows.update({2 * k - 1, 2 * k})
    return rows


def parse_time(text, separator):
    match = re.fullmatch(r"(-?\d+)" + re.escape(separator) + r"(\d{3}) Sekunden", text)
    check(match, f"the time reads {text!r}, not \"0{separator}000 Sekunden\"")
    whole, thousandths = match.groups()
    value = int(whole.lstrip("-") or "0") + int(thousandths) / 1000
    return -value if whole.startswith("-") else value


def main():
    args = e.parse_arguments(lambda p: (
        p.add_argument("--lang", required=True),
        p.add_argument("--separator", required=True),
        p.add_argument("--name", required=True),
        p.add_argument("--click-after", required=True,
                       help="comma-separated seconds between seeing the circle and clicking"),
        p.add_argument("--storm", type=int, default=0,
                       help="number of the attempt that reacts with a burst of three clicks")))
    click_delays = [float(value) for value in args.click_after.split(",")]
    with e.Session(args.program, args.outdir, args.name, accessibility=True,
                   lang=args.lang) as session:
        session.start_program()
        session.wait_for_main_window()
        pyatspi = session.atspi()
        frame = e.poll(lambda: session.top_level("Klappomatikus"), 10, 0.05, "the window")
        label3 = e.poll(lambda: session.accessible_at(e.LABEL3, "label"), 5, 0.05, "Label3")
        command1 = session.accessible_at(e.COMMAND1, "push button")
        command3 = session.accessible_at(e.COMMAND3, "push button")
        label1 = next(node for node in session.accessibles(frame)
                      if node.name == "Ihre Reaktionszeit ist")
        showing = lambda node: session.has_state(node, pyatspi.STATE_SHOWING)  # noqa: E731
        enabled = lambda node: session.has_state(node, pyatspi.STATE_ENABLED)  # noqa: E731
        inside, outside = circle_points(session)
        reaction_button = session.centre_of(e.COMMAND3)
        previous_text = ""
        excesses = []

        for number, click_after in enumerate(click_delays, start=1):
            session.move_to(*session.centre_of(e.COMMAND1))
            arming_sent = time.monotonic()
            session.click()
            arming_done = time.monotonic()
            e.poll(lambda: not enabled(command1) and enabled(command3), 2, 0.01,
                   "the buttons to swap on arming")
            check(not showing(label1) and not showing(label3),
                  "the time or its prompt still shows after arming")
            check(label3.name == previous_text,
                  f"re-arming changed the hidden time to {label3.name!r}")
            session.move_to(*reaction_button)

            e.poll(lambda: session.pixel(*inside[0]) == e.RED, 8, 0.001, "the red circle")
            seen_at = time.monotonic()
            # The delay runs from the program's handling of the click, which
            # lies between these two moments; 1000 to 5999 ms, plus painting
            # and this side's polling.
            earliest, latest = seen_at - arming_done, seen_at - arming_sent
            log(f"attempt {number}: circle seen {earliest * 1000:.0f}..{latest * 1000:.0f} ms "
                "after arming")
            check(latest >= 0.999 and earliest <= 5.999 + 0.3,
                  f"the circle came {earliest * 1000:.0f}..{latest * 1000:.0f} ms after arming")
            check_circle(session, inside, outside, "when it appeared")

            time.sleep(max(0.0, seen_at + click_after - time.monotonic()))
            before = time.monotonic()
            if number == args.storm:
                # Only the first click of a burst may count; the box is
                # modal before the second arrives.
                session.xdotool("click", "--repeat", 3, "--delay", 15, 1)
            else:
                session.click()
            after = time.monotonic()

            box = session.wait_for_window("Auswertung", 5)
            # While the verdict is open: prompt and circle show, the time not yet.
            # The box stands in front of part of the circle.
            bx, by, bw, bh = session.geometry(box)
            uncovered = lambda point: not (bx <= point[0] < bx + bw  # noqa: E731
                                           and by <= point[1] < by + bh)
            check_circle(session, list(filter(uncovered, inside)),
                         list(filter(uncovered, outside)), "while the verdict is open")
            alert = e.poll(lambda: session.top_level("Auswertung"), 5, 0.02, "the verdict box")
            texts = [node.name for node in session.accessibles(alert)
                     if node.getRoleName() == "label"]
            check(len(texts) == 1 and texts[0] in e.VERDICTS,
                  f"the verdict box says {texts}, not one of the sixteen verdicts")
            verdict = e.VERDICTS.index(texts[0])
            check(showing(label1), "\"Ihre Reaktionszeit ist\" is hidden while the verdict is open")
            check(not showing(label3), "the time shows before the verdict is dismissed")
            if number == 1:
                session.screenshot(f"{args.name}-verdict.png")

            dismiss(session, box, alert, by_keyboard=(number % 2 == 1))
            e.poll(lambda: not session.find_windows("Auswertung"), 3, 0.01,
                   "the verdict box to close")
            e.poll(lambda: showing(label3), 3, 0.01, "the time to show")
            text = label3.name
            shown = parse_time(text, args.separator)
            e.poll(lambda: session.pixel(*inside[0]) != e.RED, 2, 0.01, "the circle to go")
            check(enabled(command1) and not enabled(command3),
                  "the buttons did not swap back after the verdict")
            if number == args.storm:
                time.sleep(0.3)
                check(not session.find_windows("Auswertung") and label3.name == text,
                      "a burst of clicks was measured more than once")

            lower = before - seen_at
            upper = after - seen_at
            measured = shown + SHOWN_OFFSET
            log(f"attempt {number}: robot clicked {lower * 1000:.1f}..{upper * 1000:.1f} ms "
                f"after seeing the circle; shown {text!r}, +50 ms = {measured * 1000:.0f} ms, "
                f"{(measured - upper) * 1000:+.1f} ms beyond the click; verdict row {verdict}")
            check(measured >= lower - SLACK_BELOW,
                  f"shown {text} (+50 ms) is shorter than the {lower * 1000:.0f} ms the robot "
                  "waited after the circle appeared")
            check(measured <= upper + SLACK_ABOVE,
                  f"shown {text} (+50 ms) exceeds the robot's {upper * 1000:.0f} ms by more "
                  f"than {SLACK_ABOVE * 1000:.0f} ms")
            check(verdict in allowed_rows(shown),
                  f"verdict row {verdict} does not belong to a time of {text}")
            previous_text = text
            excesses.append(measured - upper)

        if len(excesses) > 1:
            check(min(excesses) <= BEST_SLACK_ABOVE,
                  f"every shown time (+50 ms) exceeds the robot's clock by more than "
                  f"{BEST_SLACK_ABOVE * 1000:.0f} ms: "
                  + ", ".join(f"{value * 1000:.0f} ms" for value in excesses))

        session.click_control(e.COMMAND2)
        status = session.wait_for_exit(5)
        check(status == 0, f"\"Kein Bock mehr\" ended the program with status {status}")


def dismiss(session, box, alert, by_keyboard):
    if by_keyboard:
        session.xdotool("windowfocus", "--sync", box)
        session.xdotool("key", "Return")
    else:
        ok = next(node for node in session.accessibles(alert)
                  if node.getRoleName() == "push button" and node.name == "OK")
        x, y, width, height = session.extents(ok)
        session.click_at(x + width // 2, y + height // 2)


if __name__ == "__main__":
    e.run(main)
