# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Without any display, and with displays named that cannot be reached (an
X server that is gone, a Wayland socket that is gone), the program and the
start script of `make run` stop with one clear line that says so, names the
display, and tells how to run under xvfb-run (the script also how to install
it, where it is missing); exit status 1: no Qt abort, no core dump. A gone
Wayland socket beside a running X server is no obstacle."""

import os
import subprocess
import tempfile

import e2elib as e
from e2elib import check, log

QT_NOISE = ("qt.qpa", "could not connect to display", "Aborted", "core dumped",
            "This application failed to start")


def without_display():
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                          "MAKEFLAGS", "MFLAGS", "MAKELEVEL")}
    return env


def free_display():
    """A display number no X server here uses."""
    for number in range(99, 1000):
        if not os.path.exists(f"/tmp/.X{number}-lock") and \
                not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return f":{number}"
    raise e.CheckFailed("no free display number")


def check_refusal(what, result, names=("DISPLAY",)):
    output = result.stdout + result.stderr
    log(f"{what}: status {result.returncode}, output:\n{output.rstrip()}")
    check(result.returncode == 1, f"{what} ended with status {result.returncode}, not 1")
    for noise in QT_NOISE:
        check(noise not in output, f"{what} printed {noise!r}")
    lines = [line for line in output.splitlines() if "xvfb-run" in line]
    check(len(lines) == 1, f"{what} printed {len(lines)} lines naming xvfb-run, expected one")
    for name in names:
        check(name in lines[0], f"{what}'s line does not name {name!r}: {lines[0]}")


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

    # Named, but not there.
    runtime = tempfile.mkdtemp(prefix="klappo-e2e-nodisplay-")
    try:
        gone_x = free_display()
        cases = [
            ("a gone X server", {"DISPLAY": gone_x}, [f"DISPLAY={gone_x}"]),
            ("a gone Wayland socket", {"WAYLAND_DISPLAY": "wayland-gone"},
             ["WAYLAND_DISPLAY=wayland-gone"]),
            ("both gone", {"WAYLAND_DISPLAY": "wayland-gone", "DISPLAY": gone_x},
             ["WAYLAND_DISPLAY=wayland-gone", f"DISPLAY={gone_x}"]),
        ]
        for what, variables, names in cases:
            result = subprocess.run([args.program], capture_output=True, text=True, timeout=20,
                                    env=dict(env, XDG_RUNTIME_DIR=runtime, **variables))
            check_refusal(f"klappomatikus with {what}", result, names)
            check(result.stdout == "" and len(result.stderr.splitlines()) == 1,
                  f"with {what} the program printed more than its one line")
        check_gone_wayland_beside_x(args.program, args.outdir)
    finally:
        os.rmdir(runtime)


def check_gone_wayland_beside_x(program, outdir):
    """Qt tries Wayland first and falls back to X: the window opens."""
    with e.Session(program, outdir, "nodisplay",
                   extra_env={"WAYLAND_DISPLAY": "wayland-gone"}) as session:
        session.env.pop("QT_QPA_PLATFORM")
        session.start_program()
        session.wait_for_main_window()
        log("with a gone Wayland socket beside a running X server the window opened")


if __name__ == "__main__":
    e.run(main)
