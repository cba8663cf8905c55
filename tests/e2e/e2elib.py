# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the real klappomatikus under its own Xvfb, as a person would.

Each test gets a private X server (a random free display in 100..999), a
private runtime directory and, when it reads the accessibility tree, a
private D-Bus session bus. Input goes through xdotool (XTEST); the screen is
read back through python3-xlib. Everything started here is ended by its
process id when the session closes, also when a check fails.
"""

import argparse
import contextlib
import os
import re
import shutil
import stat
import subprocess
import sys
import tempfile
import time

from privatex import PrivateX, stop

SCREEN_WIDTH = 1024
SCREEN_HEIGHT = 768
CLIENT_WIDTH = 423
CLIENT_HEIGHT = 343

# Client-area rectangles at 96 dpi (the definition's twips divided by 15).
COMMAND1 = (0, 296, 81, 25)
COMMAND2 = (296, 296, 105, 25)
COMMAND3 = (120, 264, 145, 73)
LABEL1 = (16, 216, 129, 17)
LABEL2 = (32, 0, 321, 49)
LABEL3 = (152, 216, 129, 17)
LABEL4 = (24, 56, 369, 41)
LABEL5 = (216, 96, 137, 17)
SHAPE1 = (144, 128, 121, 81)
CIRCLE_DIAMETER = 81

# The client area's controls in tab order: role, client rectangle,
# accessible name (None for the homepage, which the build chooses) and
# description (the tool tip).
CONTROLS = [
    ("label", LABEL1, "Ihre Reaktionszeit ist", ""),
    ("button", COMMAND1, "Ich bin bereit", "Los geht's"),
    ("button", COMMAND2, "Kein Bock mehr", "Programm beenden"),
    ("label", LABEL2, "Testen Sie Ihre Reaktionszeit, indem Sie nach dem Erscheinen eines "
     "roten Kreises sofort auf den Button unten in der Mitte klicken.", ""),
    ("button", COMMAND3, "Sobald Sie den Kreis sehen, klicken Sie mit der linken "
     "Maustaste auf dieses Feld.", "Bitte volle Konzentration"),
    ("label", LABEL3, "", ""),
    ("label", LABEL4, 'Auf meiner Homepage finden Sie noch viel mehr solcher kleinen '
     '"nützlichen" Programme. Dort gibt\'s auch jede Menge Scherzprogramme mit denen Sie '
     'Ihre "besten Freunde" ärgern können.', ""),
    ("link", LABEL5, None, ""),
]

RED = (255, 0, 0)
CIRCLE_NAME = "Roter Kreis"

# Accessibility events the tests listen to.
SHOWING = "object:state-changed:showing"
VISIBLE = "object:state-changed:visible"
FOCUSED = "object:state-changed:focused"
ANNOUNCEMENT = "object:announcement"

VERDICTS = [
    " Sie sind der Knaller, das macht Ihnen so schnell keiner nach ",
    " Wahnsinn!, mit solch einer Reaktion sollten Sie Rennfahrer werden ",
    " Super diese Zeit wird wohl so schnell keiner unterbieten! ",
    " Hervorragende Zeit. Sie sind echt gut ",
    " Einfach Klasse, total schnelle Reaktion! ",
    " Das ist ein guter Durchschnitt! ",
    " An dieser Zeit ist nichts auzusetzen! ",
    " Na ja das können Sie bestimmt noch besser! ",
    " Versuchen Sie es noch einmal, vielleicht hatten Sie eben einen kleinen Durchhänger! ",
    " Ich hoffe mal dass Sie keinen Führerschein besitzen! ",
    " Meine Oma hätte das besser hingekriegt! ",
    " Falls Sie im Besitz einer Fahrerlaubnis sind geben Sie bitte diese sofort ab!!! ",
    " Also viel langsamer kann man nicht mehr reagieren! ",
    " Das scheint ja zwecklos bei Ihnen zu sein, Raktion gehört wohl nicht zu Ihren guten "
    "Eigenschaften! ",
    " Mann, das war absolut schlecht! ",
    " Aufhören, dieses Programm ist ein Klappomatikus und kein Einschlaftest! ",
]

# The program's own lines on the terminal begin so; every other line it
# writes comes from Qt or the libraries below it.
OWN_LINE = "klappomatikus: "

VERDICT_TITLE = "Auswertung"
EARLY_PRESS_TITLE = "und tschüss"
EARLY_PRESS_PROMPT = ("Man sollte nur drücken wenn man den Kreis sieht. "
                      "Selbst schuld wenn Sie bescheissen wollen. ")


# Roles by the words the tests use. The accessibility stack's own names for
# them change between versions ("push button" became "button"), the role
# numbers do not; a word stands for every role that means it.
ROLE_NUMBERS = {
    "button": ("ROLE_PUSH_BUTTON", "ROLE_TOGGLE_BUTTON", "ROLE_PUSH_BUTTON_MENU", "ROLE_BUTTON"),
    "label": ("ROLE_LABEL", "ROLE_STATIC"),
    "frame": ("ROLE_FRAME", "ROLE_WINDOW"),
    "filler": ("ROLE_FILLER", "ROLE_PANEL"),
    "menu bar": ("ROLE_MENU_BAR",),
    "menu item": ("ROLE_MENU_ITEM",),
    "popup menu": ("ROLE_POPUP_MENU", "ROLE_MENU"),
    "alert": ("ROLE_ALERT", "ROLE_DIALOG"),
    "image": ("ROLE_IMAGE",),
    "notification": ("ROLE_NOTIFICATION",),
    "link": ("ROLE_LINK",),
}


class CheckFailed(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def log(message):
    print(message, flush=True)


def plain_qt_argument(parser):
    parser.add_argument("--plain-qt", required=True,
                        help="a plain Qt Widgets program, to compare what Qt says")


def parse_arguments(extra=None):
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True, help="path of the klappomatikus executable")
    parser.add_argument("--outdir", required=True, help="folder for screenshots and logs")
    if extra:
        extra(parser)
    return parser.parse_args()


def poll(condition, timeout, interval=0.005, what="condition"):
    """Calls condition() until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise CheckFailed(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)


STAND_IN_OPENER = """#!/bin/sh
# Records the working directory and every argument, one per line, then a
# line with a single dot closing the call.
{{ pwd; for argument in "$@"; do printf '%s\\n' "$argument"; done; echo .; }} >> '{record}'
"""


@contextlib.contextmanager
def stand_in_opener():
    """A folder for PATH with a stand-in xdg-open that records each call;
    yields the folder, the opener and its record (see read_calls)."""
    folder = tempfile.mkdtemp(prefix="klappo-e2e-opener-")
    record = os.path.join(folder, "calls")
    opener = os.path.join(folder, "xdg-open")
    try:
        with open(opener, "w") as script:
            script.write(STAND_IN_OPENER.format(record=record))
        os.chmod(opener, stat.S_IRWXU)
        yield folder, opener, record
    finally:
        shutil.rmtree(folder)


def read_calls(record):
    """The stand-in opener's calls so far, each the list of its lines."""
    if not os.path.exists(record):
        return []
    with open(record) as record_file:
        lines = record_file.read().split("\n")
    calls, current = [], []
    for line in lines:
        if line == ".":
            calls.append(current)
            current = []
        elif line:
            current.append(line)
    return calls


class Session(PrivateX):
    """A private X server, optionally a session bus, and the program on them."""

    def __init__(self, program, outdir, name, accessibility=False, lang="C.UTF-8",
                 extra_path=None, extra_env=None):
        super().__init__(f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}", 96, bus=accessibility,
                         log_dir=outdir, name=name)
        self.program = os.path.abspath(program)
        self.outdir = outdir
        self.accessibility = accessibility
        self.lang = lang
        self.extra_path = extra_path
        self.extra_env = extra_env or {}
        self.app = None
        self.app_log = None
        self.x = None
        self.window = None
        self.started_at = None
        self.window_seen_at = None
        self._atspi = None
        self._events = []

    # ---- life cycle -------------------------------------------------------

    def __enter__(self):
        os.makedirs(self.outdir, exist_ok=True)
        try:
            super().__enter__()
        except RuntimeError as failure:
            raise CheckFailed(str(failure)) from None
        try:
            self._program_environment()
            from Xlib import display as xdisplay
            self.x = xdisplay.Display(self.display)
        except BaseException:
            self.close()
            raise
        return self

    def _program_environment(self):
        env = self.env
        env.update({"QT_QPA_PLATFORM": "xcb", "LANG": self.lang})
        if self.extra_path:
            env["PATH"] = self.extra_path + os.pathsep + env.get("PATH", "/usr/bin:/bin")
        if self.accessibility:
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            # The accessibility client library in this process reads these
            # when it is loaded.
            for key in ("DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "XDG_RUNTIME_DIR"):
                os.environ[key] = env[key]
        env.update(self.extra_env)

    def start_program(self, arguments=(), env=None):
        """Starts the program; `env`, where given, in place of the session's
        environment (which the tools that drive it keep)."""
        if self.app is not None:
            self.end_program()
        self.app_log = open(os.path.join(self.outdir, f"{self.name}-program.log"), "w")
        self.started_at = time.monotonic()
        self.app = self.start([self.program, *arguments], env=env, stdout=self.app_log,
                              stderr=subprocess.STDOUT, cwd=self.runtime_dir)
        return self.app

    def end_program(self):
        stop(self.app)
        self.app_log.close()
        self.app = None
        self.app_log = None

    def close(self):
        stop(self.app)
        if self.x is not None:
            try:
                self.x.close()
            except Exception:
                pass
            self.x = None
        super().close()
        if self.app_log:
            self.app_log.close()

    def plain_qt_output(self, plain):
        """What a plain Qt program writes in this session, with the program's
        environment: its window is awaited, its accessible tree walked as
        the tests walk the program's (names, descriptions, roles, states,
        extents), and it is closed as a window manager closes a window."""
        name = os.path.basename(plain)
        path = os.path.join(self.outdir, f"{self.name}-plainqt.log")
        with open(path, "w") as output:
            process = self.start([os.path.abspath(plain)], stdout=output,
                                 stderr=subprocess.STDOUT, cwd=self.runtime_dir)
            try:
                # Its window has no title; its class is the application's name.
                window = poll(lambda: self.xdotool("search", "--onlyvisible", "--classname",
                                                   f"^{re.escape(name)}$").stdout.split(),
                              10, interval=0.01, what="the plain Qt program's window")[0]
                if self.accessibility:
                    application = self.application(name=name)
                    for index in range(application.childCount):
                        for node in self.accessibles(application.getChildAtIndex(index)):
                            # What the tests read of the program's nodes.
                            node.name, node.description, node.getRole(), node.getState(), \
                                self.extents(node)
                self.request_close(int(window))
                status = process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                raise CheckFailed("the plain Qt program did not end when its window closed")
            finally:
                stop(process)
        check(status == 0, f"the plain Qt program ended with status {status}")
        with open(path) as output:
            return output.read()

    def wait_for_exit(self, timeout):
        try:
            return self.app.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise CheckFailed(f"the program did not end within {timeout} s")

    def program_output(self):
        self.app_log.flush()
        with open(self.app_log.name) as log_file:
            return log_file.read()

    # ---- windows ----------------------------------------------------------

    def xdotool(self, *arguments, timeout=10):
        result = subprocess.run(["xdotool", *map(str, arguments)], env=self.env,
                                capture_output=True, text=True, timeout=timeout)
        return result

    def find_windows(self, title):
        """Visible top-level windows whose title is exactly `title`."""
        result = self.xdotool("search", "--onlyvisible", "--name", "^" + re.escape(title) + "$")
        return [int(line) for line in result.stdout.split()]

    def wait_for_window(self, title, timeout=10):
        try:
            windows = poll(lambda: self.find_windows(title), timeout, interval=0.01,
                           what=f'a window titled "{title}"')
        except CheckFailed as failure:
            raise CheckFailed(f"{failure}; visible windows: {self.window_titles()}") from None
        return windows[0]

    def window_titles(self):
        """Titles of all visible top-level windows, for messages."""
        result = self.xdotool("search", "--onlyvisible", "--name", ".")
        titles = []
        for window in result.stdout.split():
            name = self.xdotool("getwindowname", window).stdout.strip()
            titles.append(name)
        return titles

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        resource = self.x.create_resource_object("window", window)
        geometry = resource.get_geometry()
        origin = resource.translate_coords(self.x.screen().root, 0, 0)
        return (-origin.x, -origin.y, geometry.width, geometry.height)

    def icons(self, window):
        """The window's icons as {(width, height): [ARGB values, row by row]}."""
        resource = self.x.create_resource_object("window", window)
        prop = resource.get_full_property(self.x.intern_atom("_NET_WM_ICON"), 0)
        values = list(prop.value) if prop else []
        icons, index = {}, 0
        while index + 2 <= len(values):
            width, height = values[index], values[index + 1]
            icons[(width, height)] = values[index + 2:index + 2 + width * height]
            index += 2 + width * height
        return icons

    def wait_for_main_window(self, timeout=15):
        self.window = self.wait_for_window("Klappomatikus", timeout)
        self.window_seen_at = time.monotonic()
        return self.window

    def client_origin(self):
        """Screen position of the client area: the window's bottom part
        below the menu bar, CLIENT_HEIGHT high."""
        x, y, width, height = self.geometry(self.window)
        return (x, y + height - CLIENT_HEIGHT)

    def to_screen(self, client_rect):
        ox, oy = self.client_origin()
        return (client_rect[0] + ox, client_rect[1] + oy, client_rect[2], client_rect[3])

    def centre_of(self, client_rect):
        x, y, width, height = self.to_screen(client_rect)
        return (x + width // 2, y + height // 2)

    def request_close(self, window):
        """Asks the window to close, as a window manager does for its close
        button: a WM_DELETE_WINDOW message."""
        from Xlib import X
        from Xlib.protocol import event
        resource = self.x.create_resource_object("window", window)
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        message = event.ClientMessage(window=resource, client_type=protocols,
                                      data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        resource.send_event(message, event_mask=0)
        self.x.flush()

    # ---- input ------------------------------------------------------------

    def input_focus(self):
        """The id of the window with the X input focus; None while the focus
        is nowhere or follows the pointer (PointerRoot)."""
        focus = self.x.get_input_focus().focus
        return getattr(focus, "id", None)

    def pointer(self):
        reply = self.x.screen().root.query_pointer()
        return (reply.root_x, reply.root_y)

    def move_to(self, x, y):
        # xdotool's --sync waits forever when the pointer is already there.
        self.xdotool("mousemove", x, y)
        poll(lambda: self.pointer() == (x, y), 5, interval=0.002, what=f"the pointer at {x},{y}")

    def click(self):
        # xdotool pauses 100 ms after a click unless told otherwise.
        self.xdotool("click", "--delay", 0, 1)

    def click_at(self, x, y):
        self.move_to(x, y)
        self.click()

    def click_control(self, client_rect):
        self.click_at(*self.centre_of(client_rect))

    # ---- pixels -----------------------------------------------------------

    def grab(self, x, y, width, height):
        """The screen's pixels in a rectangle, as rows of (r, g, b)."""
        from Xlib import X
        image = self.x.screen().root.get_image(x, y, width, height, X.ZPixmap, 0xffffffff)
        data = image.data
        if isinstance(data, str):
            data = data.encode("latin-1")
        stride = len(data) // height
        rows = []
        for row in range(height):
            line = data[row * stride:row * stride + width * 4]
            rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, width * 4, 4)])
        return rows

    def pixel(self, x, y):
        return self.grab(x, y, 1, 1)[0][0]

    def screenshot(self, filename, window="root"):
        """A PNG of the screen or of one window, in the output folder unless
        the name is absolute; without time stamps, so that an unchanged
        picture gives the same bytes."""
        path = os.path.join(self.outdir, filename)
        subprocess.run(["import", "-display", self.display, "-window", str(window),
                        "-define", "png:exclude-chunks=date,time", "-strip", path],
                       env=self.env, check=True, timeout=20, capture_output=True)
        return path

    # ---- accessibility ----------------------------------------------------

    def atspi(self):
        if self._atspi is None:
            check(self.accessibility, "this session was started without the accessibility bus")
            import pyatspi
            self._atspi = pyatspi
        return self._atspi

    def application(self, timeout=10, name="klappomatikus"):
        pyatspi = self.atspi()

        def find():
            desktop = pyatspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                child = desktop.getChildAtIndex(index)
                if child is not None and child.name == name:
                    return child
            return None
        return poll(find, timeout, interval=0.05, what=f"{name} on the accessibility bus")

    def accessibles(self, root=None):
        """Every accessible below the program's root, depth first."""
        if root is None:
            root = self.application()
        found = []

        def walk(node):
            found.append(node)
            for index in range(node.childCount):
                child = node.getChildAtIndex(index)
                if child is not None:
                    walk(child)
        walk(root)
        return found

    def top_level(self, name):
        app = self.application()
        for index in range(app.childCount):
            child = app.getChildAtIndex(index)
            if child is not None and child.name == name:
                return child
        return None

    def listen(self, *event_types):
        """Records accessibility events of these types from now on; events()
        returns them."""
        pyatspi = self.atspi()
        self._events = []

        def record(event):
            try:
                source = event.source.name
            except Exception:
                source = None
            if event.type.startswith("object:announcement"):
                source = str(event.any_data)
            self._events.append((event.type, event.detail1, source))
        pyatspi.Registry.registerEventListener(record, *event_types)

    def events(self):
        """The recorded events as (type, detail1, source name), oldest first;
        an announcement has its text in place of the source's name."""
        from gi.repository import GLib
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        return list(self._events)

    def extents(self, accessible):
        pyatspi = self.atspi()
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (box.x, box.y, box.width, box.height)

    def has_state(self, accessible, state):
        return accessible.getState().contains(state)

    def is_role(self, node, word):
        """Whether the node plays the role that `word` (a key of
        ROLE_NUMBERS) names, in any version's spelling."""
        pyatspi = self.atspi()
        numbers = {getattr(pyatspi, name) for name in ROLE_NUMBERS[word] if hasattr(pyatspi, name)}
        return node.getRole() in numbers

    def describe(self, node):
        """A node as a message shows it: role, name and place."""
        try:
            place = self.extents(node)
        except Exception:
            place = "no extents"
        return f"{node.getRoleName()} {node.name!r} at {place}"

    def find_accessible(self, role, root=None, name=None, what=None):
        """The first node below root in the given role (and with the given
        name); fails with what it looked for and what it found instead."""
        nodes = self.accessibles(root)
        for node in nodes:
            if self.is_role(node, role) and (name is None or node.name == name):
                return node
        wanted = what or (f"{role} {name!r}" if name is not None else role)
        found = "; ".join(self.describe(node) for node in nodes[:30])
        raise CheckFailed(f"no {wanted} in the accessibility tree; found: {found}")

    def accessible_at(self, client_rect, role=None, required=True):
        """The accessible whose on-screen rectangle is exactly client_rect.
        Fails, naming what is there instead, when there is none, unless
        `required` is false (then None)."""
        wanted = self.to_screen(client_rect)
        nodes = self.accessibles(self.top_level("Klappomatikus"))
        for node in nodes:
            if role is not None and not self.is_role(node, role):
                continue
            try:
                if self.extents(node) == wanted:
                    return node
            except Exception:
                continue
        if not required:
            return None
        found = "; ".join(self.describe(node) for node in nodes)
        raise CheckFailed(f"no {role or 'accessible'} at client {client_rect} "
                          f"(screen {wanted}); the window holds: {found}")


def check_qt_lines(what, output, plain_output):
    """Every line of the program's output but its own is one that a plain Qt
    program wrote in the same set-up: what Qt says of the program it says of
    any program, and the program adds nothing of Qt's kind. Returns Qt's
    lines."""
    plain_lines = set(plain_output.splitlines())
    check(plain_lines, "the plain Qt program wrote nothing: there is nothing to compare with")
    qt_lines = [line for line in output.splitlines() if not line.startswith(OWN_LINE)]
    strange = [line for line in qt_lines if line not in plain_lines]
    check(not strange, f"{what} wrote lines a plain Qt program does not:\n" + "\n".join(strange)
          + f"\nThe plain Qt program wrote:\n{plain_output.rstrip()}")
    return qt_lines


def run(test):
    """Runs a test function, turning a failed check into exit status 1."""
    try:
        test()
    except CheckFailed as failure:
        log(f"FAIL: {failure}")
        sys.exit(1)
    log("PASS")
