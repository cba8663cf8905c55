// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The one line the program says when Qt cannot start it: which display Qt
// tried, what failed, in Qt's and the libraries' own words, and what to do.
namespace StartFailureReport {

// What names the display and the platform, as the program was started.
struct Invocation
{
    std::string program; // argv[0], as the user called the program
    std::string displayArgument; // -display
    std::string platformArgument; // -platform
    std::string platformVariable; // QT_QPA_PLATFORM
    std::string display; // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
};

// One platform plugin that Qt tried, in Qt's order, and how it failed.
struct Attempt
{
    enum class Failure {
        NoDisplay, // the plugin loaded but opened no display
        Refused, // an X server answered and turned the program away
        PluginMissing,
        PluginUnloadable, // the plugin is there, a library it needs is not
        Other,
    };
    std::string platform; // Qt's name for it: xcb, wayland, ...
    Failure failure = Failure::Other;
    std::vector<std::string> reasons;
};

// `fatal` is Qt's own report, used only when Qt named no plugin it tried.
std::string line(const Invocation &invocation, const std::vector<Attempt> &attempts,
                 std::string_view fatal);

} // namespace StartFailureReport
