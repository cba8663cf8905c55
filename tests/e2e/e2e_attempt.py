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


class Player:
    """Plays attempts on the window and checks each step; remembers what
    the attempts before showed."""

    def __init__(self, session, args):
        self.session = session
        self.args = args
        pyatspi = session.atspi()
        self.state = lambda node, state: session.has_state(node, getattr(pyatspi, state))
        frame = e.poll(lambda: session.top_level("Klappomatikus"), 10, 0.05, "the window")
        self.label3 = e.poll(lambda: session.accessible_at(e.LABEL3, "label", required=False),
                             5, 0.05, "Label3")
        self.command1 = session.accessible_at(e.COMMAND1, "button")
        self.command3 = session.accessible_at(e.COMMAND3, "button")
        self.label1 = session.find_accessible("label", frame, "Ihre Reaktionszeit ist")
        self.inside, self.outside = circle_points(session)
        self.previous_text = ""
        self.excesses = []

    def showing(self, node):
        return self.state(node, "STATE_SHOWING")

    def enabled(self, node):
        return self.state(node, "STATE_ENABLED")

    def play(self, number, click_after):
        self.arm()
        seen_at = self.wait_for_circle(number)
        time.sleep(max(0.0, seen_at + click_after - time.monotonic()))
        before = time.monotonic()
        if number == self.args.storm:
            # Only the first click of a burst may count; the box is modal
            # before the second arrives.
            self.session.xdotool("click", "--repeat", 3, "--delay", 15, 1)
        else:
            self.session.click()
        after = time.monotonic()
        verdict = self.read_verdict(number)
        text = self.read_time(number)
        self.check_time(number, text, verdict, before - seen_at, after - seen_at)

    def arm(self):
        session = self.session
        session.move_to(*session.centre_of(e.COMMAND1))
        self.arming_sent = time.monotonic()
        session.click()
        self.arming_done = time.monotonic()
        e.poll(lambda: not self.enabled(self.command1) and self.enabled(self.command3), 2, 0.01,
               "the buttons to swap on arming")
        check(not self.showing(self.label1) and not self.showing(self.label3),
              "the time or its prompt still shows after arming")
        check(self.label3.name == self.previous_text,
              f"re-arming changed the hidden time to {self.label3.name!r}")
        session.move_to(*session.centre_of(e.COMMAND3))

    def wait_for_circle(self, number):
        session = self.session
        e.poll(lambda: session.pixel(*self.inside[0]) == e.RED, 8, 0.001, "the red circle")
        seen_at = time.monotonic()
        # The delay runs from the program's handling of the click, which lies
        # between these two moments; 1000 to 5999 ms, plus painting and this
        # side's polling.
        earliest, latest = seen_at - self.arming_done, seen_at - self.arming_sent
        log(f"attempt {number}: circle seen {earliest * 1000:.0f}..{latest * 1000:.0f} ms "
            "after arming")
        check(latest >= 0.999 and earliest <= 5.999 + 0.3,
              f"the circle came {earliest * 1000:.0f}..{latest * 1000:.0f} ms after arming")
        check_circle(session, self.inside, self.outside, "when it appeared")
        return seen_at

    def read_verdict(self, number):
        """Checks the window while the verdict box is open, dismisses the
        box and returns the verdict's row."""
        session = self.session
        box = session.wait_for_window(e.VERDICT_TITLE, 5)
        # While the verdict is open: prompt and circle show, the time not yet.
        # The box stands in front of part of the circle.
        bx, by, bw, bh = session.geometry(box)
        uncovered = lambda point: not (bx <= point[0] < bx + bw  # noqa: E731
                                       and by <= point[1] < by + bh)
        check_circle(session, list(filter(uncovered, self.inside)),
                     list(filter(uncovered, self.outside)), "while the verdict is open")
        alert = e.poll(lambda: session.top_level(e.VERDICT_TITLE), 5, 0.02, "the verdict box")
        texts = [node.name for node in session.accessibles(alert)
                 if session.is_role(node, "label")]
        check(len(texts) == 1 and texts[0] in e.VERDICTS,
              f"the verdict box says {texts}, not one of the sixteen verdicts")
        check(self.showing(self.label1),
              "\"Ihre Reaktionszeit ist\" is hidden while the verdict is open")
        check(not self.showing(self.label3), "the time shows before the verdict is dismissed")
        if number == 1:
            session.screenshot(f"{self.args.name}-verdict.png")
        dismiss(session, box, alert, by_keyboard=(number % 2 == 1))
        e.poll(lambda: not session.find_windows(e.VERDICT_TITLE), 3, 0.01,
               "the verdict box to close")
        return e.VERDICTS.index(texts[0])

    def read_time(self, number):
        """The time the window shows once the verdict box is gone."""
        session = self.session
        e.poll(lambda: self.showing(self.label3), 3, 0.01, "the time to show")
        text = self.label3.name
        e.poll(lambda: session.pixel(*self.inside[0]) != e.RED, 2, 0.01, "the circle to go")
        check(self.enabled(self.command1) and not self.enabled(self.command3),
              "the buttons did not swap back after the verdict")
        if number == self.args.storm:
            time.sleep(0.3)
            check(not session.find_windows(e.VERDICT_TITLE) and self.label3.name == text,
                  "a burst of clicks was measured more than once")
        return text

    def check_time(self, number, text, verdict, lower, upper):
        """The shown time against the robot's clock: the click went out
        between `lower` and `upper` seconds after the circle was seen."""
        shown = parse_time(text, self.args.separator)
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
        self.previous_text = text
        self.excesses.append(measured - upper)

    def check_best_attempt(self):
        if len(self.excesses) > 1:
            check(min(self.excesses) <= BEST_SLACK_ABOVE,
                  f"every shown time (+50 ms) exceeds the robot's clock by more than "
                  f"{BEST_SLACK_ABOVE * 1000:.0f} ms: "
                  + ", ".join(f"{value * 1000:.0f} ms" for value in self.excesses))


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
        player = Player(session, args)
        for number, click_after in enumerate(click_delays, start=1):
            player.play(number, click_after)
        player.check_best_attempt()
        session.click_control(e.COMMAND2)
        status = session.wait_for_exit(5)
        check(status == 0, f"\"Kein Bock mehr\" ended the program with status {status}")


def dismiss(session, box, alert, by_keyboard):
    if by_keyboard:
        session.xdotool("windowfocus", "--sync", box)
        session.xdotool("key", "Return")
    else:
        ok = session.find_accessible("button", alert, "OK", "OK button in the verdict box")
        x, y, width, height = session.extents(ok)
        session.click_at(x + width // 2, y + height // 2)


if __name__ == "__main__":
    e.run(main)
