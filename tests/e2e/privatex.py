#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""A private X server (Xvfb on a free display) and, when asked, a private
D-Bus session bus: the one way the tests and the benchmarks get a screen.

Nothing started here outlives its starter. Each child gets SIGTERM when the
process that started it dies, however it dies (a test killed on a timeout,
Ctrl-C); the starter is a subreaper, so that what the session bus activates
(the accessibility bus and registry) stays within reach and is ended too.

As a command it runs another command on a fresh server and ends both:
    privatex.py [--size 1024x768] [--dpi 96] [--bus] -- command [arguments...]
"""

import argparse
import ctypes
import os
import random
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

PR_SET_PDEATHSIG = 1
PR_SET_CHILD_SUBREAPER = 36


def _prctl(option, value):
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(option, value, 0, 0, 0)


def end_with_parent():
    """For preexec_fn: the child gets SIGTERM should its starter die."""
    _prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def _terminate_gracefully(signum, frame):
    # SIGTERM and SIGINT unwind like an exception, so that every server closes.
    raise SystemExit(128 + signum)


def _children_of(pid):
    children = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", "rb") as stat:
                fields = stat.read().rsplit(b")", 1)[1].split()
        except OSError:
            continue
        if int(fields[1]) == pid:
            children.append(int(entry))
    return children


def stop(process, timeout=3):
    """Ends a child: SIGTERM, then SIGKILL if it lingers."""
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class PrivateX:
    """Xvfb on a random free display between 100 and 999, with a private
    runtime directory, and optionally a session bus."""

    def __init__(self, size="1024x768", dpi=96, bus=False, log_dir=None, name="x",
                 extra_arguments=()):
        self.size = size
        self.dpi = dpi
        self.want_bus = bus
        self.log_dir = log_dir
        self.name = name
        self.extra_arguments = list(extra_arguments)
        self.xvfb = None
        self.bus = None
        self.display = None
        self.runtime_dir = None
        self.env = None
        self._logs = []

    def __enter__(self):
        _prctl(PR_SET_CHILD_SUBREAPER, 1)
        signal.signal(signal.SIGTERM, _terminate_gracefully)
        self.runtime_dir = tempfile.mkdtemp(prefix=f"klappo-{self.name}-")
        os.chmod(self.runtime_dir, 0o700)
        try:
            self._start_xvfb()
            self.env = self._environment()
            if self.want_bus:
                self._start_bus()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _log(self, what):
        if self.log_dir is None:
            return subprocess.DEVNULL
        os.makedirs(self.log_dir, exist_ok=True)
        log = open(os.path.join(self.log_dir, f"{self.name}-{what}.log"), "w")
        self._logs.append(log)
        return log

    def _environment(self):
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("QT_", "LC_", "DBUS_", "WAYLAND", "XDG_SESSION",
                                      "AT_SPI", "XAUTHORITY"))}
        env.update({"DISPLAY": self.display, "XDG_RUNTIME_DIR": self.runtime_dir})
        return env

    def _start_xvfb(self):
        log = self._log("xvfb")
        for _ in range(20):
            number = random.randint(100, 999)
            if os.path.exists(f"/tmp/.X{number}-lock") or \
                    os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            # The server writes its display number to this pipe once it
            # accepts connections. It keeps its state when the last client
            # goes (-noreset), as a desktop's server does.
            read_end, write_end = os.pipe()
            process = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", f"{self.size}x24", "-dpi", str(self.dpi),
                 "-nolisten", "tcp", "-noreset", "-displayfd", str(write_end),
                 *self.extra_arguments],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log,
                preexec_fn=end_with_parent)
            os.close(write_end)
            ready = b""
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline and process.poll() is None:
                readable, _, _ = select.select([read_end], [], [], 0.1)
                if readable:
                    chunk = os.read(read_end, 64)
                    ready += chunk
                    if b"\n" in ready or not chunk:
                        break
            os.close(read_end)
            if ready.strip() and process.poll() is None:
                self.xvfb = process
                self.display = f":{number}"
                return
            # Taken by someone else between our look and its start: try another.
            stop(process)
        raise RuntimeError("could not start Xvfb on any free display")

    def _start_bus(self):
        self.bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=self._log("dbus"), env=self.env,
            preexec_fn=end_with_parent)
        readable, _, _ = select.select([self.bus.stdout], [], [], 10)
        address = self.bus.stdout.readline().decode().strip() if readable else ""
        if not address:
            raise RuntimeError("the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def start(self, command, env=None, **popen_arguments):
        """Starts a command on this server; it ends when its starter does."""
        return subprocess.Popen(command, env=env or self.env, preexec_fn=end_with_parent,
                                **popen_arguments)

    def close(self):
        stop(self.bus)
        stop(self.xvfb)
        self.bus = self.xvfb = None
        self._end_orphans()
        for log in self._logs:
            log.close()
        self._logs = []
        if self.runtime_dir:
            shutil.rmtree(self.runtime_dir, ignore_errors=True)
            self.runtime_dir = None

    def _end_orphans(self):
        # What the session bus activated was handed to this process when its
        # parent went away: reap it, and end it if it does not go by itself.
        deadline = time.monotonic() + 3
        signalled = False
        while True:
            while True:
                try:
                    pid, _ = os.waitpid(-1, os.WNOHANG)
                except ChildProcessError:
                    return
                if pid == 0:
                    break
            leftovers = _children_of(os.getpid())
            if not leftovers:
                return
            if time.monotonic() > deadline:
                sig, deadline = signal.SIGKILL, time.monotonic() + 1
            elif not signalled and time.monotonic() > deadline - 2.5:
                sig, signalled = signal.SIGTERM, True
            else:
                sig = None
            for pid in leftovers if sig else ():
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            time.sleep(0.02)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--size", default="1024x768")
    parser.add_argument("--dpi", type=int, default=96)
    parser.add_argument("--bus", action="store_true", help="start a session bus too")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no command given")
    signal.signal(signal.SIGINT, _terminate_gracefully)
    with PrivateX(args.size, args.dpi, args.bus, name="run") as server:
        env = dict(server.env)
        env.pop("QT_QPA_PLATFORM", None)
        process = server.start(command, env=env)
        try:
            status = process.wait()
        finally:
            stop(process)
    sys.exit(status if status >= 0 else 128 - status)


if __name__ == "__main__":
    main()
