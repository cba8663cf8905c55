# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Without any display, the program and the start script of `make run` stop
with one clear line that says so and how to run under xvfb-run (the script
also how to install it, where it is missing), and a non-zero status: no Qt
abort, no core dump."""

import os
import subprocess

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
        p.add_argument("--run-script", required=True, help="the script `make run` ends in")))
    env = without_display()

    program = subprocess.run([args.program], env=env, capture_output=True, text=True,
                             timeout=20)
    check_refusal("klappomatikus", program)
    check(program.stdout == "" and len(program.stderr.splitlines()) == 1,
          "the program printed more than its one line")

    # `make run` ends in the start script; it must refuse the same way.
    script = subprocess.run(["sh", args.run_script, args.program], env=env, capture_output=True,
                            text=True, timeout=20)
    check_refusal("the start script", script)

    # Where xvfb-run cannot be found, the same line says how to get it.
    bare = dict(env, PATH="/nonexistent")
    script = subprocess.run(["/bin/sh", args.run_script, args.program], env=bare,
                            capture_output=True, text=True, timeout=20)
    check_refusal("the start script without xvfb-run", script)
    check("apt-get install xvfb xauth" in script.stderr,
          f"the start script does not say how to get xvfb-run: {script.stderr.strip()}")

if __name__ == "__main__":
    e.run(main)
