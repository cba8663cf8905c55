// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The program's one line for a start where Qt opened no window. Qt's own
// messages, and what the libraries below it write, stand above it and say
// the cause; the line says which display was asked for and what to do.
namespace StartupFailure {

// What names the display and the platform, as the program was started.
struct Request
{
    std::string program; // argv[0], as the user called the program
    std::string displayArgument; // -display, the last one given
    std::string platformArgument; // -platform, the last one given
    std::string platformVariable; // QT_QPA_PLATFORM
    std::string display; // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
};

// Read from main's arguments and the environment, before Qt takes them.
Request request(int argc, char **argv);

std::string line(const Request &request);

} // namespace StartupFailure
