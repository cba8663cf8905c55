# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Start-up: the window appears with its title, size and place, shows its
controls where they belong, and "Kein Bock mehr" ends the program with
status 0. Qt says nothing of the program that it does not say of a plain Qt
program on the same display and accessibility bus."""

import time

import e2elib as e
from e2elib import check, log

# Makes Qt write a line of its own at every start: the input devices it
# finds on the X server, without addresses or times, the same for any
# program on the same server. Both programs inherit it, so their Qt lines
# are compared on every run, not only where a Qt version happens to speak.
QT_SPEAKS = {"QT_LOGGING_RULES": "qt.qpa.input.devices.debug=true"}


def main():
    args = e.parse_arguments(lambda p: (
        p.add_argument("--homepage", required=True),
        e.plain_qt_argument(p)))
    with e.Session(args.program, args.outdir, "startup", accessibility=True,
                   extra_env=QT_SPEAKS) as session:
        session.start_program()
        window = session.wait_for_main_window()
        check_window(session, window)
        check_icon(session, window)
        frame = poll_frame(session)
        check_frame(session, frame, window)
        check_controls(session, frame, args.homepage)

        # The circle is hidden at start-up: no red in its box.
        ox, oy = session.client_origin()
        circle_box = session.grab(ox + e.SHAPE1[0], oy + e.SHAPE1[1], e.SHAPE1[2], e.SHAPE1[3])
        check(not any(pixel == e.RED for row in circle_box for pixel in row),
              "red pixels in the circle's box at start-up")
        path = session.screenshot("startup.png")
        log(f"screenshot: {path}")

        session.click_control(e.COMMAND2)
        status = session.wait_for_exit(5)
        check(status == 0, f"\"Kein Bock mehr\" ended the program with status {status}")
        output = session.program_output()
        plain_output = session.plain_qt_output(args.plain_qt)
        qt_lines = e.check_qt_lines("the program", output, plain_output)
        log(f"{len(qt_lines)} lines of Qt's, each also the plain Qt program's")


def check_window(session, window):
    """How fast the window comes up, its size and its place."""
    startup = session.window_seen_at - session.started_at
    log(f"start-up to first window: {startup * 1000:.0f} ms")
    check(startup < 10, f"the window took {startup:.1f} s to appear")
    link_area = session.to_screen(e.LABEL5)
    e.poll(lambda: any(pixel == e.RED for row in session.grab(*link_area) for pixel in row),
           5, 0.002, "the window to be painted")
    painted = time.monotonic() - session.started_at
    log(f"start-up to painted window: {painted * 1000:.0f} ms")

    x, y, width, height = session.geometry(window)
    log(f"window at {x},{y}, {width}x{height}")
    check(width == e.CLIENT_WIDTH, f"window width {width}, expected {e.CLIENT_WIDTH}")
    menu_height = height - e.CLIENT_HEIGHT
    check(10 <= menu_height <= 40,
          f"window height {height} leaves {menu_height} px for the menu bar")
    # No window manager runs: the window's own position is where the
    # program put it, and the centre must be within half a pixel.
    check(abs(2 * x + width - e.SCREEN_WIDTH) <= 1 and abs(2 * y + height - e.SCREEN_HEIGHT) <= 1,
          f"window {width}x{height} at {x},{y} is not centred on "
          f"{e.SCREEN_WIDTH}x{e.SCREEN_HEIGHT}")


def check_frame(session, frame, window):
    """The client area below the menu bar, and the menu's two entries."""
    x, y, width, height = session.geometry(window)
    menu_height = height - e.CLIENT_HEIGHT
    check(session.is_role(frame, "frame"), f"top-level role {frame.getRoleName()}")
    client = [node for node in session.accessibles(frame) if session.is_role(node, "filler")
              and session.extents(node) == (x, y + menu_height, e.CLIENT_WIDTH, e.CLIENT_HEIGHT)]
    check(client, f"no client area of {e.CLIENT_WIDTH}x{e.CLIENT_HEIGHT} below the menu bar")
    menu_bar = session.find_accessible("menu bar", frame)
    menu_rect = session.extents(menu_bar)
    check(menu_rect == (x, y, width, menu_height),
          f"menu bar at {menu_rect}, expected the {menu_height} px above the client area")
    menu_names = [node.name for node in session.accessibles(menu_bar)
                  if session.is_role(node, "menu item")]
    check(menu_names and menu_names[0] == "INFO", f"menu items {menu_names}")
    check(len(menu_names) == 2 and menu_names[1].startswith("Klappomatikus 1.0 ")
          and len(menu_names[1]) > len("Klappomatikus 1.0 "),
          f"menu items {menu_names}: the item must read \"Klappomatikus 1.0 <author>\"")


def check_controls(session, frame, homepage):
    """Every control but the hidden prompt where the definition puts it,
    with its text, tool tip and state."""
    pyatspi = session.atspi()
    for role, rect, name, tooltip in e.CONTROLS:
        if rect == e.LABEL1:
            continue
        name = homepage if name is None else name
        node = session.accessible_at(rect, role)
        check(node.name == name, f"{role} at {rect} reads {node.name!r}, expected {name!r}")
        check(node.description == tooltip,
              f"{name!r} has tool tip {node.description!r}, expected {tooltip!r}")
        enabled = session.has_state(node, pyatspi.STATE_ENABLED)
        if role == "button":
            check(enabled == (rect != e.COMMAND3),
                  f"{name!r} is {'enabled' if enabled else 'disabled'} at start-up")
    hidden = [node.name for node in session.accessibles(frame)
              if node.name == "Ihre Reaktionszeit ist"
              and session.has_state(node, pyatspi.STATE_SHOWING)]
    check(not hidden, "\"Ihre Reaktionszeit ist\" shows at start-up")


def check_icon(session, window):
    """The window carries a 32x32 clock face: dark red rim, light grey disc,
    transparent corners."""
    icons = session.icons(window)
    check((32, 32) in icons, f"the window has no 32x32 icon, only {sorted(icons)}")
    pixels = icons[(32, 32)]
    argb = lambda x, y: [(pixels[y * 32 + x] >> shift) & 0xff  # noqa: E731
                         for shift in (24, 16, 8, 0)]
    for x, y in ((16, 1), (1, 16), (30, 16), (16, 30)):
        alpha, red, green, blue = argb(x, y)
        check(alpha == 255 and red >= 96 and green < 64 and blue < 64,
              f"icon rim at {x},{y} is ARGB {alpha},{red},{green},{blue}, not dark red")
    alpha, red, green, blue = argb(10, 22)
    check(alpha == 255 and min(red, green, blue) >= 160 and max(red, green, blue) - min(
        red, green, blue) < 24, f"icon disc at 10,22 is ARGB {alpha},{red},{green},{blue}")
    check(argb(0, 0)[0] == 0 and argb(31, 31)[0] == 0, "the icon's corners are not transparent")


def poll_frame(session):
    return e.poll(lambda: session.top_level("Klappomatikus"), 10, interval=0.05,
                  what="the window on the accessibility bus")


if __name__ == "__main__":
    e.run(main)
