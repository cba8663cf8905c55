# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Without any display, the program and `make run` stop with one clear line
that says so and how to run under xvfb-run, and a non-zero status: no Qt
abort, no core dump."""

import os
import subprocess
import sys

import e2elib as e
from e2elib import check, log

QT_NOISE = ("qt.qpa", "could not connect to display", "Aborted", "core dumped",
            "This application failed to start")


def without_display():
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                          "MAKEFLAGS", "MFLAGS", "MAKELEVEL")}
    return env


def check_refusal(what, result):
    output = result.stdout + result.stderr
    log(f"{what}: status {result.returncode}, output:\n{output.rstrip()}")
    check(0 < result.returncode < 128,
          f"{what} ended with status {result.returncode}, not an ordinary failure")
    for noise in QT_NOISE:
        check(noise not in output, f"{what} printed {noise!r}")
    lines = [line for line in output.splitlines() if "xvfb-run" in line]
    check(len(lines) == 1, f"{what} printed {len(lines)} lines naming xvfb-run, expected one")
    check("DISPLAY" in lines[0], f"{what}'s line does not say the display is missing: {lines[0]}")


def main():
    args = e.parse_arguments(lambda p: (
        p.add_argument("--source-dir", required=True),
        p.add_argument("--build-dir", required=True)))
    env = without_display()

    program = subprocess.run([args.program], env=env, capture_output=True, text=True,
                             timeout=20)
    check_refusal("klappomatikus", program)
    check(program.stdout == "" and len(program.stderr.splitlines()) == 1,
          "the program printed more than its one line")

    # `make run` drives a Ninja build tree; another generator's tree cannot
    # take that part.
    if not os.path.exists(os.path.join(args.build_dir, "build.ninja")):
        log(f"SKIP: {args.build_dir} is not a Ninja build tree; `make run` not tried")
        sys.exit(77)
    make = subprocess.run(["make", "-s", "-C", args.source_dir, f"BUILD_DIR={args.build_dir}",
                           "run"], env=env, capture_output=True, text=True, timeout=120)
    check_refusal("make run", make)


if __name__ == "__main__":
    e.run(main)
