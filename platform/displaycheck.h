// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Whether Qt will find a display to open a window on, asked before Qt tries:
// Qt aborts the program when no display it tries can be opened.
namespace DisplayCheck {

// What decides where Qt opens its windows.
struct Environment
{
    std::string platform; // -platform on the command line, else QT_QPA_PLATFORM
    std::string display; // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string runtimeDir; // XDG_RUNTIME_DIR
    std::string sessionType; // XDG_SESSION_TYPE
};

Environment current(int argc, char **argv);

enum class Server { Wayland, X11 };

// Where an X display's server listens: a local socket, or a port on a host.
struct XAddress
{
    std::string socketPath;
    std::string host;
    int port = 0;
};

// The address a DISPLAY value names; none for a value that names no display.
std::optional<XAddress> xAddress(std::string_view display);

// Whether the server of that kind that the environment names accepts a
// connection; on the local socket this costs a few microseconds.
bool reachable(Server server, const Environment &environment);

// Empty when Qt will find a display: the platform chosen needs none, or one
// of the display servers Qt tries, in its order, can be reached. Otherwise
// the one line to show: which displays could not be reached, or that none
// is named, and how to start `program`, as the user called it, without one.
std::string problem(const Environment &environment, std::string_view program,
                    const std::function<bool(Server)> &isReachable);

} // namespace DisplayCheck
