#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs the real program at scale factor 1 and 2, each on its own private X
server, arms an attempt with a click on "Ich bin bereit", waits for the red
circle and saves a screenshot of the window for each scale. Checks that the
window at 2x is exactly twice as wide and high as at 1x and that the circle
is round and twice the diameter. Last, the program on a screen that says it
has 192 dpi must draw the very same window as at scale factor 2.

    check-highdpi.py --program <program> --outdir <screenshot directory>
"""

import math
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import e2elib as e  # noqa: E402
from e2elib import check, log  # noqa: E402

RED_LIMIT = 60  # how far from pure red a pixel of the circle may be


def window_pixels(session):
    """The program's window as rows of (r, g, b)."""
    x, y, width, height = session.geometry(session.window)
    return session.grab(x, y, width, height)


def largest_red_blob(rows):
    """Bounding box and pixel count of the largest 4-connected red area: the
    circle (the red link text is made of small letters)."""
    height, width = len(rows), len(rows[0])
    red = bytearray(width * height)
    for y, row in enumerate(rows):
        for x, (r, g, b) in enumerate(row):
            red[y * width + x] = r >= 255 - RED_LIMIT and g <= RED_LIMIT and b <= RED_LIMIT
    best = (0, None)
    for start in range(width * height):
        if not red[start]:
            continue
        red[start] = 0
        stack = [start]
        count = 0
        left, top, right, bottom = width, height, -1, -1
        while stack:
            i = stack.pop()
            count += 1
            x, y = i % width, i // width
            left, right = min(left, x), max(right, x)
            top, bottom = min(top, y), max(bottom, y)
            for j in ((i - 1) if x > 0 else -1, (i + 1) if x < width - 1 else -1,
                      i - width, i + width):
                if 0 <= j < width * height and red[j]:
                    red[j] = 0
                    stack.append(j)
        if count > best[0]:
            best = (count, (left, top, right - left + 1, bottom - top + 1))
    return best


def centre_at(session, client_rect, scale):
    """The screen point in the middle of a control, from its rectangle at 1x."""
    x, y, width, height = session.geometry(session.window)
    client_top = y + height - e.CLIENT_HEIGHT * scale
    left, top, w, h = (value * scale for value in client_rect)
    return (x + left + w // 2, client_top + top + h // 2)


def attempt_at(args, scale):
    """Window size, circle box and circle area at a scale factor."""
    with e.Session(args.program, args.outdir, f"highdpi-{scale}x",
                   extra_env={"QT_SCALE_FACTOR": str(scale)}) as session:
        session.start_program()
        session.wait_for_main_window()
        size = session.geometry(session.window)[2:]
        time.sleep(0.3)
        session.screenshot(f"start-{scale}x.png", session.window)
        session.click_at(*centre_at(session, e.COMMAND1, scale))

        circle_centre = centre_at(session, e.SHAPE1, scale)
        e.poll(lambda: session.pixel(*circle_centre) == e.RED, 8, 0.01,
               f"the circle at scale {scale}")
        count, box = largest_red_blob(window_pixels(session))
        path = session.screenshot(f"window-{scale}x.png", session.window)
        log(f"scale {scale}: window {size[0]}x{size[1]}, circle {box[2]}x{box[3]} "
            f"({count} pixels), screenshot {path}")

        # React, and keep the verdict box and the window with the time.
        session.click_at(*centre_at(session, e.COMMAND3, scale))
        verdict = session.wait_for_window(e.VERDICT_TITLE, 10)
        time.sleep(0.3)
        session.screenshot(f"verdict-{scale}x.png", verdict)
        session.xdotool("windowfocus", "--sync", verdict)
        session.xdotool("key", "Return")
        e.poll(lambda: not session.find_windows(e.VERDICT_TITLE), 5, 0.1,
               f"the verdict box to close at scale {scale}")
        time.sleep(0.3)
        session.screenshot(f"result-{scale}x.png", session.window)
        return size, box, count


def window_at_192_dpi(args):
    """The window on a screen that announces 192 dpi (Xft.dpi, as desktops
    set it): its size and a screenshot of it as it opens."""
    with e.Session(args.program, args.outdir, "highdpi-192dpi") as session:
        subprocess.run(["xrdb", "-merge", "-nocpp"], input="Xft.dpi: 192\n", text=True,
                       env=session.env, check=True, timeout=10)
        session.start_program()
        session.wait_for_main_window()
        time.sleep(0.3)
        path = session.screenshot("start-192dpi.png", session.window)
        size = session.geometry(session.window)[2:]
        log(f"192 dpi: window {size[0]}x{size[1]}, screenshot {path}")
        return size


def main():
    args = e.parse_arguments()
    size1, circle1, area1 = attempt_at(args, 1)
    size2, circle2, area2 = attempt_at(args, 2)
    size192 = window_at_192_dpi(args)

    check(size2 == (2 * size1[0], 2 * size1[1]),
          f"window at 2x is {size2}, expected twice {size1}")
    for scale, circle, area in ((1, circle1, area1), (2, circle2, area2)):
        _, _, w, h = circle
        check(abs(w - h) <= 1, f"circle at {scale}x is {w}x{h}, not round")
        disc = math.pi * w * h / 4
        check(abs(area - disc) <= 0.04 * disc,
              f"circle at {scale}x fills {area} pixels, a disc of {w}x{h} has {disc:.0f}")
    check(abs(circle2[2] - 2 * circle1[2]) <= 2 and abs(circle2[3] - 2 * circle1[3]) <= 2,
          f"circle at 2x is {circle2[2]}x{circle2[3]}, expected twice "
          f"{circle1[2]}x{circle1[3]}")
    # The circle keeps its place: its centre scales with the window.
    for axis in (0, 1):
        centre1 = circle1[axis] + circle1[axis + 2] / 2
        centre2 = circle2[axis] + circle2[axis + 2] / 2
        check(abs(centre2 - 2 * centre1) <= 2,
              f"circle centre at 2x is {centre2} on axis {axis}, expected about {2 * centre1}")

    # At 192 dpi the window is the one drawn at scale factor 2, pixel for pixel.
    check(size192 == size2, f"window at 192 dpi is {size192}, at scale 2 {size2}")
    same = subprocess.run(
        ["sh", os.path.join(os.path.dirname(__file__), "..", "support", "same-pixels.sh"),
         os.path.join(args.outdir, "start-192dpi.png"), os.path.join(args.outdir, "start-2x.png")],
        capture_output=True, text=True, timeout=20)
    check(same.returncode == 0, f"the window at 192 dpi is not the one at scale 2: {same.stdout}")


if __name__ == "__main__":
    e.run(main)
