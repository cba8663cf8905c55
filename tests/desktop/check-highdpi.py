#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs the real program at scale factor 1 and 2 on a private X server,
arms an attempt with a click on "Ich bin bereit", waits for the red circle
and saves a screenshot of the window for each scale. Checks that the window
at 2x is exactly twice as wide and high as at 1x and that the circle is round
and twice the diameter. Last, the program on a screen that says it has
192 dpi must draw the very same window as at scale factor 2.

    check-highdpi.py <program> <screenshot directory>
"""

import math
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from privatex import PrivateX, stop  # noqa: E402

program, out_dir = sys.argv[1:3]
os.makedirs(out_dir, exist_ok=True)

# Client area and the button "Ich bin bereit" at 1x, in pixels
# (twips / 15): the client is 423 x 343, the button at (0, 296) 81 x 25,
# the reaction button at (120, 264) 145 x 73.
CLIENT_HEIGHT = 343
READY_BUTTON_CENTRE = (40, 296 + 12)
REACTION_BUTTON_CENTRE = (120 + 72, 264 + 36)
RED_LIMIT = 60  # how far from pure red a pixel of the circle may be

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def visible_window(title):
    """Whether a shown window with this title (a pattern) exists."""
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                          capture_output=True).returncode == 0


def window_geometry(window):
    info = run("xwininfo", "-id", window)
    values = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    return int(values["Width"]), int(values["Height"])


def capture(window):
    """The window's pixels as (width, height, bytes in RGB order)."""
    raw = subprocess.run(["import", "-window", window, "-depth", "8", "rgb:-"],
                         check=True, capture_output=True).stdout
    width, height = window_geometry(window)
    if len(raw) != width * height * 3:
        raise RuntimeError(f"screenshot has {len(raw)} bytes for {width}x{height}")
    return width, height, raw


def largest_red_blob(width, height, raw):
    """Bounding box and pixel count of the largest 4-connected red area: the
    circle (the red link text is made of small letters)."""
    red = bytearray(width * height)
    for i in range(width * height):
        r, g, b = raw[3 * i], raw[3 * i + 1], raw[3 * i + 2]
        if r >= 255 - RED_LIMIT and g <= RED_LIMIT and b <= RED_LIMIT:
            red[i] = 1
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


def attempt_at(scale):
    env = dict(os.environ, QT_SCALE_FACTOR=str(scale), LC_ALL="C.UTF-8")
    process = server.start([program], env=env)
    try:
        window = run("timeout", "10", "xdotool", "search", "--sync", "--onlyvisible", "--name",
                     "^Klappomatikus$").split()[0]
        width, height = window_geometry(window)
        time.sleep(0.3)
        subprocess.run(["import", "-window", window,
                        os.path.join(out_dir, f"start-{scale}x.png")], check=True)
        menu_height = height / scale - CLIENT_HEIGHT
        x, y = READY_BUTTON_CENTRE
        run("xdotool", "mousemove", "--window", window, str(round(x * scale)),
            str(round((menu_height + y) * scale)), "click", "1")
        # The circle shows after one to six seconds.
        deadline = time.monotonic() + 8
        while True:
            shot = capture(window)
            count, box = largest_red_blob(*shot)
            if box and box[2] >= 40 * scale:
                break
            if time.monotonic() > deadline:
                raise SystemExit(f"FAIL: no circle at scale {scale}")
            time.sleep(0.3)
        path = os.path.join(out_dir, f"window-{scale}x.png")
        subprocess.run(["import", "-window", window, path], check=True)
        print(f"scale {scale}: window {width}x{height}, circle {box[2]}x{box[3]} "
              f"({count} pixels), screenshot {path}", flush=True)
        # React, and keep the verdict box and the window with the time.
        x, y = REACTION_BUTTON_CENTRE
        run("xdotool", "mousemove", "--window", window, str(round(x * scale)),
            str(round((menu_height + y) * scale)), "click", "1")
        box_window = run("timeout", "10", "xdotool", "search", "--sync", "--onlyvisible", "--name",
                         "^Auswertung$").split()[0]
        time.sleep(0.3)
        subprocess.run(["import", "-window", box_window,
                        os.path.join(out_dir, f"verdict-{scale}x.png")], check=True)
        run("xdotool", "windowfocus", "--sync", box_window, "key", "Return")
        deadline = time.monotonic() + 5
        while visible_window("^Auswertung$"):
            if time.monotonic() > deadline:
                raise SystemExit(f"FAIL: the verdict box did not close at scale {scale}")
            time.sleep(0.1)
        time.sleep(0.3)
        subprocess.run(["import", "-window", window,
                        os.path.join(out_dir, f"result-{scale}x.png")], check=True)
        return (width, height), box, count
    finally:
        stop(process)


def window_at_192_dpi():
    """The window on a screen that announces 192 dpi (Xft.dpi, as desktops
    set it): its size and a screenshot of it as it opens."""
    subprocess.run(["xrdb", "-merge", "-nocpp"], input="Xft.dpi: 192\n", text=True, check=True)
    env = dict(os.environ, LC_ALL="C.UTF-8")
    process = server.start([program], env=env)
    try:
        window = run("timeout", "10", "xdotool", "search", "--sync", "--onlyvisible", "--name",
                     "^Klappomatikus$").split()[0]
        time.sleep(0.3)
        path = os.path.join(out_dir, "start-192dpi.png")
        subprocess.run(["import", "-window", window, path], check=True)
        size = window_geometry(window)
        print(f"192 dpi: window {size[0]}x{size[1]}, screenshot {path}", flush=True)
        return size
    finally:
        stop(process)
        subprocess.run(["xrdb", "-remove"], check=True)


# Everything below runs on the private server: the X tools through DISPLAY.
server = PrivateX("1280x1024", name="highdpi").__enter__()
os.environ.update(server.env)
try:
    size1, circle1, area1 = attempt_at(1)
    size2, circle2, area2 = attempt_at(2)
    size192 = window_at_192_dpi()
finally:
    server.close()

check(size2 == (2 * size1[0], 2 * size1[1]),
      f"window at 2x is {size2}, expected twice {size1}")
for scale, circle, area in ((1, circle1, area1), (2, circle2, area2)):
    _, _, w, h = circle
    check(abs(w - h) <= 1, f"circle at {scale}x is {w}x{h}, not round")
    disc = math.pi * w * h / 4
    check(abs(area - disc) <= 0.04 * disc,
          f"circle at {scale}x fills {area} pixels, a disc of {w}x{h} has {disc:.0f}")
check(abs(circle2[2] - 2 * circle1[2]) <= 2 and abs(circle2[3] - 2 * circle1[3]) <= 2,
      f"circle at 2x is {circle2[2]}x{circle2[3]}, expected twice {circle1[2]}x{circle1[3]}")
# The circle keeps its place: its centre scales with the window.
for axis in (0, 1):
    centre1 = circle1[axis] + circle1[axis + 2] / 2
    centre2 = circle2[axis] + circle2[axis + 2] / 2
    check(abs(centre2 - 2 * centre1) <= 2,
          f"circle centre at 2x is {centre2} on axis {axis}, expected about {2 * centre1}")

# At 192 dpi the window is the one drawn at scale factor 2, pixel for pixel.
check(size192 == size2, f"window at 192 dpi is {size192}, at scale 2 {size2}")
differing = subprocess.run(
    ["compare", "-metric", "AE", os.path.join(out_dir, "start-192dpi.png"),
     os.path.join(out_dir, "start-2x.png"), "null:"], capture_output=True, text=True).stderr.strip()
check(differing == "0", f"window at 192 dpi differs from scale 2 in {differing} pixels")

sys.exit(1 if failures else 0)
