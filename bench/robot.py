#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""A robot user for the reaction test, through the X server like a person.

Two jobs, each against a program it starts on an X display of its own:

  attempts   arms with Command1, polls the screen for the red circle, clicks
             Command3 a chosen delay D after it saw the circle, dismisses the
             verdict box and reads the shown time back. Runs against
             klappomatikus_probe, which is the program with its counter
             readings and Label3's caption written to standard output.
  footprint  starts the real program, times it to its first painted window,
             then reads its PSS and the CPU it uses while idle.

All times are CLOCK_MONOTONIC (time.monotonic_ns), the clock the program's
counter reads, so robot and program times can be subtracted.
"""

import argparse
import json
import os
import queue
import random
import statistics
import subprocess
import sys
import threading
import time

from Xlib import X, display as xdisplay
from Xlib.ext import xtest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from privatex import end_with_parent  # noqa: E402


def now_ns():
    return time.monotonic_ns()


class Screen:
    def __init__(self, name):
        self.d = xdisplay.Display(name)
        self.root = self.d.screen().root

    def pixel(self, x, y):
        image = self.root.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF)
        b, g, r = image.data[0], image.data[1], image.data[2]
        return r, g, b

    def move(self, x, y):
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()

    def click(self):
        xtest.fake_input(self.d, X.ButtonPress, 1)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.flush()

    def press(self):
        xtest.fake_input(self.d, X.ButtonPress, 1)
        self.d.flush()

    def release(self):
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.flush()

    def click_at(self, x, y):
        self.move(x, y)
        self.click()
        self.d.sync()


def is_red(rgb):
    r, g, b = rgb
    return r > 200 and g < 60 and b < 60


class Program:
    """The probe program, its output lines queued with their arrival time."""

    def __init__(self, path, env):
        self.proc = subprocess.Popen([path], env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, preexec_fn=end_with_parent)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.proc.stdout:
            self.lines.put(raw.decode("utf-8", "replace").rstrip("\n"))

    def expect(self, prefix, timeout=10.0):
        deadline = time.monotonic() + timeout
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no '%s' line from the program" % prefix)
            line = self.lines.get(timeout=left)
            if line.startswith(prefix):
                return line[len(prefix):].strip()

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def percentile(values, p):
    ordered = sorted(values)
    if not ordered:
        return float("nan")
    k = (len(ordered) - 1) * p / 100.0
    lo = int(k)
    hi = min(lo + 1, len(ordered) - 1)
    return ordered[lo] + (ordered[hi] - ordered[lo]) * (k - lo)


def summary(values):
    return {
        "n": len(values),
        "mean": statistics.fmean(values),
        "sd": statistics.stdev(values) if len(values) > 1 else 0.0,
        "p50": percentile(values, 50),
        "p99": percentile(values, 99),
        "max": max(values),
        "min": min(values),
    }


def parse_seconds(caption):
    number = caption.replace("Sekunden", "").strip().replace(",", ".")
    return float(number)


def wait_until(moment_ns):
    """Sleeps to within 2 ms of the moment, then spins to it exactly."""
    while now_ns() < moment_ns - 2_000_000:
        time.sleep(0.001)
    while now_ns() < moment_ns:
        pass


def see_circle(screen, cx, cy):
    """Polls the middle of the circle as fast as the X server answers;
    returns when the last poll was sent and when its red answer came."""
    deadline = time.monotonic() + 8.0
    while True:
        sent = now_ns()
        rgb = screen.pixel(cx, cy)
        seen = now_ns()
        if is_red(rgb):
            return sent, seen
        if time.monotonic() > deadline:
            raise TimeoutError("the circle did not show")


def react(screen, hold_ms):
    """Clicks the reaction button; returns the robot's click time."""
    if hold_ms <= 0:
        clicked = now_ns()
        screen.click()
        return clicked
    # As a person clicks: press, hold, release. The program reacts to the
    # click, i.e. the release, so the robot's click time is the moment it
    # sends the release.
    screen.press()
    wait_until(now_ns() + int(hold_ms * 1e6))
    clicked = now_ns()
    screen.release()
    return clicked


def record(program, screen, d_s, sent, seen, clicked):
    """Reads what the probe reported of one attempt, dismisses the verdict
    and returns the attempt's figures."""
    # Calibrieren's two readings and Start's, then Halt's.
    readings = [int(program.expect("read ")) for _ in range(4)]
    stamps = program.expect("press ").split()
    pressed, released = int(stamps[0]), int(stamps[2])
    pressed_signal, released_signal = int(stamps[4]), int(stamps[6])
    ok = program.expect("at ok").split()
    time.sleep(0.05)
    screen.click_at(int(ok[0]), int(ok[1]))
    caption = program.expect("label3 ")
    shown_ms = parse_seconds(caption) * 1000.0
    start, halt = readings[2], readings[3]
    robot_ms = (clicked - seen) / 1e6
    return {
        "D_ms": d_s * 1000.0,
        "shown_ms": shown_ms,
        "robot_ms": robot_ms,
        "e_ms": (shown_ms + 50.0) - robot_ms,
        # What the stopwatch measured, before the 50 ms and the rounding to
        # three decimals.
        "e_unrounded_ms": ((halt - start) - (readings[1] - readings[0])) / 1e6 - robot_ms,
        "shown_to_screen_ms": (seen - start) / 1e6,
        "poll_ms": (seen - sent) / 1e6,
        "click_to_halt_ms": (halt - clicked) / 1e6,
        "click_to_press_ms": (pressed - clicked) / 1e6,
        "press_to_release_ms": (released - pressed) / 1e6,
        "release_to_halt_ms": (halt - released) / 1e6,
        "press_to_pressed_ms": (pressed_signal - pressed) / 1e6,
        "release_to_released_ms": (released_signal - released) / 1e6,
        "caption": caption,
    }


SUMMARISED = ("e_ms", "e_unrounded_ms", "shown_to_screen_ms", "poll_ms", "click_to_halt_ms",
              "click_to_press_ms", "press_to_release_ms", "release_to_halt_ms",
              "press_to_pressed_ms", "release_to_released_ms")


def attempts(args):
    env = dict(os.environ, DISPLAY=args.display, LC_ALL="C.UTF-8", QT_QPA_PLATFORM="xcb")
    screen = Screen(args.display)
    program = Program(args.probe, env)
    records = []
    try:
        positions = {}
        for _ in range(3):
            name, x, y = program.expect("at ").split()
            positions[name] = (int(x), int(y))
        program.expect("ready")
        # D covers 0 to 0.9 s in steps of 45 ms, each with its own fraction
        # of a millisecond, so that the display's rounding to whole
        # milliseconds shows in e as it would for a person.
        fractions = random.Random(20261208)
        delays = [(i % 20) * 0.045 + fractions.random() * 0.001 for i in range(args.count)]
        for d_s in delays:
            screen.click_at(*positions["Command1"])
            screen.move(*positions["Command3"])
            sent, seen = see_circle(screen, *positions["Shape1"])
            wait_until(seen + int(d_s * 1e9))
            clicked = react(screen, args.hold_ms)
            records.append(record(program, screen, d_s, sent, seen, clicked))
            if args.verbose:
                print(json.dumps(records[-1]), file=sys.stderr)
            time.sleep(0.1)
    finally:
        program.stop()
    result = {"attempts": records}
    result.update({key: summary([r[key] for r in records]) for key in SUMMARISED})
    result["D_ms_range"] = [min(r["D_ms"] for r in records), max(r["D_ms"] for r in records)]
    return result


def find_window(screen, title):
    for child in screen.root.query_tree().children:
        try:
            name = child.get_wm_name()
            attributes = child.get_attributes()
        except Exception:  # the window went away meanwhile
            continue
        if name == title and attributes.map_state == X.IsViewable:
            return child
    return None


def memory_kb(pid):
    """Pss, Rss and Anonymous of the process, in kB."""
    values = {}
    with open("/proc/%d/smaps_rollup" % pid) as f:
        for line in f:
            key, _, rest = line.partition(":")
            if key in ("Pss", "Rss", "Anonymous"):
                values[key] = int(rest.split()[0])
    return values


def cpu_ns(pid):
    # Time on a CPU in nanoseconds, where the kernel keeps it (schedstat);
    # else the clock ticks of utime + stime.
    try:
        with open("/proc/%d/schedstat" % pid) as f:
            return int(f.read().split()[0])
    except (OSError, ValueError, IndexError):
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) * 1_000_000_000 // os.sysconf("SC_CLK_TCK")


def footprint(args):
    env = dict(os.environ, DISPLAY=args.display, LC_ALL="C.UTF-8")
    env.pop("QT_QPA_PLATFORM", None)
    screen = Screen(args.display)
    starts = []
    pss = []
    idle_cpu = None
    for run in range(args.count):
        started = now_ns()
        proc = subprocess.Popen([args.program], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        try:
            deadline = time.monotonic() + 10.0
            painted = None
            window = None
            while painted is None:
                if time.monotonic() > deadline:
                    raise TimeoutError("no painted window")
                if window is None:
                    window = find_window(screen, "Klappomatikus")
                    if window is None:
                        continue
                    geometry = window.get_geometry()
                    at = window.translate_coords(screen.root, 0, 0)
                    x = -at.x + geometry.width // 2
                    y = -at.y + geometry.height // 2
                # Xvfb runs with a black root window (-br); Qt paints the
                # window's background light.
                if sum(screen.pixel(x, y)) > 300:
                    painted = now_ns()
            starts.append((painted - started) / 1e6)
            time.sleep(1.0)
            pss.append(memory_kb(proc.pid))
            if run == 0:
                before = cpu_ns(proc.pid)
                t0 = now_ns()
                time.sleep(args.idle)
                after = cpu_ns(proc.pid)
                idle_cpu = 100.0 * (after - before) / (now_ns() - t0)
                pss.append(memory_kb(proc.pid))
        finally:
            proc.terminate()
            proc.wait()
        time.sleep(0.3)
    return {
        "start_ms": summary(starts),
        "starts_ms": starts,
        # PSS shares the libraries' pages among all processes that map them:
        # alone on the machine it is close to RSS, next to other Qt programs
        # it is less. Anonymous memory is the program's own.
        "pss_kb_max": max(m["Pss"] for m in pss),
        "rss_kb_max": max(m["Rss"] for m in pss),
        "anonymous_kb_max": max(m["Anonymous"] for m in pss),
        "idle_cpu_percent": idle_cpu,
        "idle_seconds": args.idle,
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("job", choices=["attempts", "footprint"])
    parser.add_argument("--display", required=True)
    parser.add_argument("--probe", help="klappomatikus_probe, for attempts")
    parser.add_argument("--program", help="the real klappomatikus, for footprint")
    parser.add_argument("--count", type=int, default=40)
    parser.add_argument("--idle", type=float, default=10.0)
    parser.add_argument("--hold-ms", type=float, default=0.0,
                        help="hold the button this long before releasing (attempts)")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    result = attempts(args) if args.job == "attempts" else footprint(args)
    json.dump(result, sys.stdout, indent=1)
    print()


if __name__ == "__main__":
    main()
