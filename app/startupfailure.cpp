// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startupfailure.h"

#include <cstdlib>

namespace StartupFailure {

namespace {

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool contains(const std::string &text, const char *word)
{
    return text.find(word) != std::string::npos;
}

} // namespace

Request request(int argc, char **argv)
{
    Request request{argc > 0 && argv[0] && *argv[0] ? argv[0] : "klappomatikus",
                    {},
                    {},
                    variable("QT_QPA_PLATFORM"),
                    variable("DISPLAY"),
                    variable("WAYLAND_DISPLAY")};
    // Qt's own options, -name or --name; like Qt, the last one counts.
    for (int index = 1; index + 1 < argc; ++index) {
        const std::string option = argv[index];
        if (option == "-display" || option == "--display")
            request.displayArgument = argv[++index];
        else if (option == "-platform" || option == "--platform")
            request.platformArgument = argv[++index];
    }
    return request;
}

std::string line(const Request &request)
{
    const bool byArgument = !request.platformArgument.empty();
    const std::string &forced = byArgument ? request.platformArgument : request.platformVariable;
    const std::string x = !request.displayArgument.empty() ? "-display " + request.displayArgument
                          : !request.display.empty()       ? "DISPLAY=" + request.display
                                                           : "";
    // A forced platform decides which displays Qt looks at; otherwise it
    // tries Wayland where WAYLAND_DISPLAY is set, and always X.
    const bool wayland = forced.empty() ? !request.waylandDisplay.empty()
                                        : contains(forced, "wayland");
    const bool xcb = forced.empty() || contains(forced, "xcb");

    std::string asked;
    if (!forced.empty())
        asked = "Plattform „" + forced + "“ mit " + (byArgument ? "-platform" : "QT_QPA_PLATFORM");
    if (wayland) {
        asked += (asked.empty() ? "" : ", ") + std::string("Wayland-Anzeige ")
                 + (request.waylandDisplay.empty() ? "wayland-0"
                                                   : "WAYLAND_DISPLAY=" + request.waylandDisplay);
    }
    if (xcb && !x.empty())
        asked += (asked.empty() ? "" : ", ") + ("X-Anzeige " + x);
    else if (xcb)
        asked += asked.empty() ? "keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY noch -display"
                               : ", keine X-Anzeige: weder DISPLAY noch -display";

    // xvfb-run offers an X display; a later -platform beats the forced one.
    std::string text =
        "klappomatikus: Qt konnte kein Fenster öffnen (gefragt: " + asked
        + "); eine laufende Anzeige nennen oder ohne Bildschirm starten: xvfb-run -a "
        + request.program + (forced.empty() || contains(forced, "xcb") ? "" : " -platform xcb");
    if (xcb && !x.empty())
        text += "; den Zugang zur X-Sitzung prüfen: XAUTHORITY muss auf ihre Cookie-Datei zeigen";
    return text + "; was einem Qt-Plugin fehlt, zeigt QT_DEBUG_PLUGINS=1";
}

} // namespace StartupFailure
