# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Where Qt cannot open a display, the program writes every line a plain Qt
program writes, in the same order, Qt's fatal report among them; then its
own line, the same in every case; exit status 1, no Qt abort, no core
dump. The cases: no display at all, an X server that is gone, one that
turns the program away for want of its cookie, a platform that does not
exist, eglfs without a graphics device, Wayland forced where none runs, a
Wayland socket that is gone, a Wayland session without its socket. The
start script of `make run` refuses in one line too. Nothing is held back
while Qt starts: a display library that dies during start-up still says
why, and Qt's plugin debugging output appears while a start hangs on an X
server that never answers. What Qt can
open, opens: -display with DISPLAY unset, and X behind a gone Wayland
socket, where what Qt said on the way is passed on."""

import glob
import os
import random
import resource
import secrets
import select
import socket
import subprocess
import tempfile
import time

import e2elib as e
from e2elib import check, log
from privatex import PrivateX, end_with_parent, stop

# What an abort leaves.
ABORT_NOISE = ("Aborted", "core dumped")
# What the program's line must name, whatever the cause.
LINE_WORDS = ("DISPLAY", "WAYLAND_DISPLAY", "-display", "xvfb-run -a klappomatikus -platform xcb",
              "XAUTHORITY", "QT_DEBUG_PLUGINS=1")
CRASH_LINE = "crashingxcb: the display library gives up here"


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


def check_script_refusal(what, result, words):
    """Exit status 1 and one line of `make run`'s own, holding each of
    `words`."""
    log(f"{what}: status {result.returncode}, output:\n{result.stderr.rstrip()}")
    check(result.returncode == 1, f"{what} ended with status {result.returncode}, not 1")
    check(result.stdout == "", f"{what} printed on standard output")
    lines = result.stderr.splitlines()
    check(len(lines) == 1 and lines[0].startswith("make run: "),
          f"{what} did not refuse in one line of its own")
    for word in words:
        check(word in lines[0], f"{what}'s line does not say {word!r}")


class Refusals:
    """Starts the program and the plain Qt program alike, in a folder of
    their own, and compares what each writes."""

    def __init__(self, program, plain, folder):
        self.program, self.plain, self.folder = program, plain, folder
        self.lines = set()

    def run(self, program, env):
        return subprocess.run([program], env=env, capture_output=True, text=True, timeout=20,
                              cwd=self.folder)

    def check(self, what, env, cause):
        """Every line the plain program writes, in order, the `cause` among
        them, and the program's own last."""
        theirs = self.run(self.plain, env)
        ours = self.run(self.program, env)
        log(f"{what}: status {ours.returncode}, output:\n{ours.stderr.rstrip()}")
        check(theirs.returncode != 0 and theirs.stderr.strip(),
              f"{what}: the plain Qt program started, or said nothing")
        check(ours.returncode == 1, f"{what} ended with status {ours.returncode}, not 1")
        check(ours.stdout == "", f"{what} printed on standard output")
        for noise in ABORT_NOISE:
            check(noise not in ours.stderr, f"{what} printed {noise!r}")
        lines = ours.stderr.splitlines() or [""]
        check(lines[:-1] == theirs.stderr.splitlines(),
              f"{what}: Qt's lines differ from a plain Qt program's:\n{theirs.stderr}")
        check(cause in theirs.stderr, f"{what}: Qt did not say {cause!r}")
        line = lines[-1]
        check(line.startswith(e.OWN_LINE), f"{what}: the last line is not the program's")
        for word in LINE_WORDS:
            check(word in line, f"{what}'s line does not say {word!r}")
        self.lines.add(line)
        check(len(self.lines) == 1, f"{what}: the program's line differs from the one before")
        for name in os.listdir(self.folder):
            check(not name.startswith("core"), f"{what} left a core file")


def main():
    args = e.parse_arguments(lambda p: (
        p.add_argument("--run-script", required=True, help="the script `make run` ends in"),
        p.add_argument("--crashing-xcb", required=True,
                       help="the stand-in display library that dies on connecting"),
        e.plain_qt_argument(p)))
    env = without_display()

    # `make run` ends in the start script; it refuses before the program runs.
    script = subprocess.run(["sh", args.run_script, args.program], env=env, capture_output=True,
                            text=True, timeout=20)
    check_script_refusal("the start script", script, ["DISPLAY", "xvfb-run"])
    # Where xvfb-run cannot be found, the same line says how to get it:
    # through apt-get where there is one, by what it is elsewhere.
    with tempfile.TemporaryDirectory(prefix="klappo-e2e-apt-") as apt_only:
        os.symlink("/bin/true", os.path.join(apt_only, "apt-get"))
        for what, path, words, never in (
                ("with apt-get", apt_only, ["sudo apt-get install xvfb xauth"], None),
                ("without apt-get", "/nonexistent", ["xvfb-run", "Xvfb", "xauth"], "apt-get")):
            script = subprocess.run(["/bin/sh", args.run_script, args.program],
                                    env=dict(env, PATH=path), capture_output=True, text=True,
                                    timeout=20)
            check_script_refusal(f"the start script without xvfb-run, {what}", script, words)
            check(never is None or never not in script.stderr,
                  f"the start script without xvfb-run, {what}, speaks of {never}")

    with tempfile.TemporaryDirectory(prefix="klappo-e2e-nodisplay-") as runtime:
        env["XDG_RUNTIME_DIR"] = runtime
        refusals = Refusals(args.program, args.plain_qt, runtime)
        gone_x = free_display()
        # What Qt says of the cause; it tries Wayland first, then X.
        cases = [
            ("no display", {}, "could not connect to display"),
            ("a gone X server", {"DISPLAY": gone_x}, f"could not connect to display {gone_x}"),
            ("a platform that does not exist", {"QT_QPA_PLATFORM": "nosuch"},
             "Available platform plugins are:"),
            ("Wayland forced where none runs", {"QT_QPA_PLATFORM": "wayland", "DISPLAY": gone_x},
             "wl_display"),
            ("a gone Wayland socket", {"WAYLAND_DISPLAY": "wayland-gone"}, "wl_display"),
            ("a Wayland session without its socket", {"XDG_SESSION_TYPE": "wayland"},
             "wl_display"),
        ]
        # eglfs takes the machine's graphics device where there is one.
        if not glob.glob("/dev/dri/card*"):
            cases.append(("eglfs without a graphics device", {"QT_QPA_PLATFORM": "eglfs"},
                          "Could not find DRM device!"))
        else:
            log("eglfs not tried: this machine has a graphics device")
        for what, variables, cause in cases:
            refusals.check(f"klappomatikus with {what}", dict(env, **variables), cause)
        check_refused_without_cookie(refusals, env, runtime)
        check_crash_in_display_library(args.program, env, args.crashing_xcb, runtime)
        check_hang_shows_plugin_output(args.program, env)
    check_display_argument(args.program, args.outdir)
    check_gone_wayland_beside_x(args.program, args.outdir)


def check_refused_without_cookie(refusals, env, folder):
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
        # Xlib says why the server turned the program away.
        refusals.check("klappomatikus without the session's cookie",
                       dict(session_env, XAUTHORITY=os.path.join(folder, "other")),
                       "Authorization required")


def check_crash_in_display_library(program, env, standin, folder):
    """A display library that says why it gives up and dies during start-up:
    its line reaches the terminal, as in any Qt program, and the program
    ends by the signal, leaving no core file."""
    crash_env = dict(env, DISPLAY=free_display(), LD_PRELOAD=standin)
    # An ASan build wants its runtime first among the libraries, and the
    # stand-in comes before it; its report of the crash ends in an abort.
    crash_env["ASAN_OPTIONS"] = ":".join(filter(None, (
        env.get("ASAN_OPTIONS"), "verify_asan_link_order=0", "abort_on_error=1")))
    result = subprocess.run(
        [program], env=crash_env, capture_output=True, text=True, timeout=20, cwd=folder,
        preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_CORE, (0, 0)))
    log(f"a crash in the display library: status {result.returncode}, output:\n"
        f"{result.stderr.rstrip()}")
    check(CRASH_LINE in result.stderr, "the display library's last word was lost")
    check(result.returncode < 0, f"the crash ended in status {result.returncode}, not a signal")
    check(e.OWN_LINE not in result.stderr, "the program answered a crash as a refusal")
    check(not [name for name in os.listdir(folder) if name.startswith("core")],
          "the crash left a core file")


def silent_x_server():
    """A listening socket where X clients look for a display, which never
    answers. Linux X clients try the abstract socket first: binding it
    leaves no file behind, and fails where a server runs. Numbers above the
    tests' servers (100..999)."""
    for _ in range(20):
        number = random.randint(1000, 9999)
        server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            server.bind(f"\0/tmp/.X11-unix/X{number}")
        except OSError:
            server.close()
            continue
        server.listen(4)
        return server, f":{number}"
    raise e.CheckFailed("no free display number for a silent X server")


def check_hang_shows_plugin_output(program, env):
    """An X server that takes the connection and never answers: what
    QT_DEBUG_PLUGINS=1 makes Qt say reaches the terminal while the start
    hangs, as in any Qt program."""
    server, display = silent_x_server()
    with server:
        process = subprocess.Popen(
            [program], env=dict(env, DISPLAY=display, QT_DEBUG_PLUGINS="1"),
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, preexec_fn=end_with_parent)
        try:
            output = b""
            deadline = time.monotonic() + 4
            # Until Qt falls silent, waiting for the server's answer.
            while time.monotonic() < deadline:
                readable, _, _ = select.select([process.stderr], [], [], 0.5)
                chunk = os.read(process.stderr.fileno(), 65536) if readable else b""
                output += chunk
                if (readable and not chunk) or (output and not readable):
                    break
            text = output.decode(errors="replace")
            log(f"a start that hangs: {len(text.splitlines())} lines while it hangs")
            check(process.poll() is None, f"the start did not hang: status {process.poll()}")
            check("checking directory path" in text and "libqxcb" in text,
                  f"Qt's plugin output did not arrive while the start hangs: {text!r}")
        finally:
            stop(process)


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
