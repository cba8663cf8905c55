# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Where Qt cannot open a display, the program says so in one line of its
own that names the display and what failed and tells what to do; exit
status 1: no Qt abort, no core dump, nothing else on the terminal. The
cases: no display at all, an X server that is gone, one that turns the
program away for want of its cookie, a gone Wayland socket, Wayland asked
for where none runs. The start script of `make run` refuses in one line
too. What Qt can open, opens: -display with DISPLAY unset, and X behind a
gone Wayland socket, where what Qt said on the way is passed on."""

import os
import secrets
import subprocess
import tempfile

import e2elib as e
from e2elib import check, log
from privatex import PrivateX

QT_NOISE = ("qt.qpa", "Aborted", "core dumped", "This application failed to start",
            "Reinstalling")


def without_display():
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE",
                          "XAUTHORITY", "MAKEFLAGS", "MFLAGS", "MAKELEVEL")}
    return env


def free_display():
    """A display number no X server here uses."""
    for number in range(99, 1000):
        if not os.path.exists(f"/tmp/.X{number}-lock") and \
                not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return f":{number}"
    raise e.CheckFailed("no free display number")


def check_refusal(what, result, words, absent=()):
    """One line on standard error, holding each of `words` and none of
    `absent`, and exit status 1."""
    output = result.stdout + result.stderr
    log(f"{what}: status {result.returncode}, output:\n{output.rstrip()}")
    check(result.returncode == 1, f"{what} ended with status {result.returncode}, not 1")
    for noise in QT_NOISE:
        check(noise not in output, f"{what} printed {noise!r}")
    check(result.stdout == "" and len(result.stderr.splitlines()) == 1,
          f"{what} printed more than one line")
    for word in words:
        check(word in output, f"{what}'s line does not say {word!r}")
    for word in absent:
        check(word not in output, f"{what}'s line says {word!r}")


def run_program(program, env, *arguments):
    return subprocess.run([program, *arguments], env=env, capture_output=True, text=True,
                          timeout=20)


def main():
    args = e.parse_arguments(lambda p: (
        p.add_argument("--run-script", required=True, help="the script `make run` ends in")))
    env = without_display()

    # `make run` ends in the start script; it refuses before the program runs.
    script = subprocess.run(["sh", args.run_script, args.program], env=env, capture_output=True,
                            text=True, timeout=20)
    check_refusal("the start script", script, ["DISPLAY", "xvfb-run"])
    # Where xvfb-run cannot be found, the same line says how to get it.
    bare = dict(env, PATH="/nonexistent")
    script = subprocess.run(["/bin/sh", args.run_script, args.program], env=bare,
                            capture_output=True, text=True, timeout=20)
    check_refusal("the start script without xvfb-run", script, ["apt-get install xvfb xauth"])

    with tempfile.TemporaryDirectory(prefix="klappo-e2e-nodisplay-") as runtime:
        env["XDG_RUNTIME_DIR"] = runtime
        gone_x = free_display()
        without_screen = f"xvfb-run -a {args.program}"
        cases = [
            ("no display", {}, ["DISPLAY", "-display", without_screen], []),
            ("a gone X server", {"DISPLAY": gone_x},
             [f"DISPLAY={gone_x} ist nicht erreichbar", without_screen], []),
            # Qt tries Wayland first, then X.
            ("a gone Wayland socket", {"WAYLAND_DISPLAY": "wayland-gone"},
             ["WAYLAND_DISPLAY=wayland-gone ist nicht erreichbar", "No such file or directory",
              "weder mit DISPLAY noch mit -display", without_screen], []),
            # DISPLAY is set, but the platform asked for is Wayland: the line
            # speaks of Wayland alone, and xvfb-run needs the platform too.
            ("Wayland asked for where none runs",
             {"QT_QPA_PLATFORM": "wayland", "DISPLAY": gone_x},
             ["QT_QPA_PLATFORM", "wayland-0", f"QT_QPA_PLATFORM=xcb {without_screen}"],
             ["DISPLAY"]),
        ]
        for what, variables, words, absent in cases:
            result = run_program(args.program, dict(env, **variables))
            check_refusal(f"klappomatikus with {what}", result, words, absent)
        check_refused_without_cookie(args.program, env, runtime)
    check_display_argument(args.program, args.outdir)
    check_gone_wayland_beside_x(args.program, args.outdir)


def check_refused_without_cookie(program, env, folder):
    """An X server that wants a cookie, as a desktop session's does, and a
    program that holds another (DISPLAY names another user's session)."""
    cookie_file = os.path.join(folder, "session-cookie")
    cookie = secrets.token_hex(16)

    def add_cookie(display):
        subprocess.run(["xauth", "-f", cookie_file, "add", display, ".", cookie],
                       check=True, capture_output=True)
    # The server takes every cookie in its file; the client looks for its
    # display's, known once the server runs.
    add_cookie(":0")
    with PrivateX(extra_arguments=("-auth", cookie_file), name="nodisplay-cookie") as server:
        add_cookie(server.display)
        session_env = dict(env, DISPLAY=server.display, XAUTHORITY=cookie_file)
        check(subprocess.run(["xdpyinfo"], env=session_env, capture_output=True).returncode == 0,
              "the server does not take its session's cookie")
        result = run_program(program, dict(session_env, XAUTHORITY=os.path.join(folder, "other")))
        check_refusal("klappomatikus without the session's cookie", result,
                      [f"DISPLAY={server.display} weist das Programm ab", "XAUTHORITY"])


def check_display_argument(program, outdir):
    """Qt's -display opens the display it names, with DISPLAY unset."""
    with e.Session(program, outdir, "nodisplay-argument") as session:
        session.env.pop("DISPLAY")
        session.start_program(["-display", session.display])
        session.env["DISPLAY"] = session.display  # for the tools that look for the window
        session.wait_for_main_window()
        log(f"with -display {session.display} and DISPLAY unset the window opened")


def check_gone_wayland_beside_x(program, outdir):
    """Qt tries Wayland first and falls back to X: the window opens, and what
    Qt said about Wayland on the way still reaches the terminal."""
    with e.Session(program, outdir, "nodisplay",
                   extra_env={"WAYLAND_DISPLAY": "wayland-gone"}) as session:
        session.env.pop("QT_QPA_PLATFORM")
        session.start_program()
        session.wait_for_main_window()
        output = session.program_output()
        check("wl_display" in output, f"Qt's word on Wayland was not passed on: {output!r}")
        log("with a gone Wayland socket beside a running X server the window opened")


if __name__ == "__main__":
    e.run(main)
