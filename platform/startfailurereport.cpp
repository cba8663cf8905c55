// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startfailurereport.h"

#include <algorithm>

namespace StartFailureReport {

namespace {

using Failure = Attempt::Failure;

// Long enough for a library's reason with a file name, short enough that
// several still make a line one can read.
constexpr std::size_t MaxReasonLength = 140;

// One line of at most MaxReasonLength bytes, cut at a character's start.
std::string shortened(std::string_view text)
{
    std::string result;
    bool space = false;
    for (const char character : text) {
        if (character == ' ' || character == '\t' || character == '\n' || character == '\r') {
            space = !result.empty();
            continue;
        }
        if (space)
            result += ' ';
        space = false;
        result += character;
    }
    if (result.size() > MaxReasonLength) {
        std::size_t cut = MaxReasonLength;
        while (cut > 0 && (static_cast<unsigned char>(result[cut]) & 0xC0) == 0x80)
            --cut;
        result.resize(cut);
        result += "…";
    }
    return result;
}

bool isWayland(std::string_view platform)
{
    return platform.substr(0, 7) == "wayland";
}

bool opensDisplay(std::string_view platform)
{
    return platform == "xcb" || isWayland(platform);
}

// The X display Qt's xcb plugin opens: -display wins over DISPLAY.
std::string xDisplay(const Invocation &invocation)
{
    if (!invocation.displayArgument.empty())
        return "-display " + invocation.displayArgument;
    if (!invocation.display.empty())
        return "DISPLAY=" + invocation.display;
    return {};
}

// Without WAYLAND_DISPLAY, Wayland clients take the socket wayland-0.
std::string waylandDisplay(const Invocation &invocation)
{
    if (invocation.waylandDisplay.empty())
        return "Standard-Wayland-Anzeige wayland-0";
    return "Wayland-Anzeige WAYLAND_DISPLAY=" + invocation.waylandDisplay;
}

std::string failure(const Invocation &invocation, const Attempt &attempt)
{
    const std::string plugin = "das Qt-Plattform-Plugin „" + attempt.platform + "“";
    switch (attempt.failure) {
    case Failure::PluginMissing: return plugin + " fehlt";
    case Failure::PluginUnloadable: return plugin + " lässt sich nicht laden";
    case Failure::Refused:
        return "die X-Anzeige " + xDisplay(invocation) + " weist das Programm ab";
    case Failure::NoDisplay:
        if (attempt.platform == "xcb") {
            const std::string name = xDisplay(invocation);
            return name.empty() ? "keine X-Anzeige angegeben, weder mit DISPLAY noch mit -display"
                                : "die X-Anzeige " + name + " ist nicht erreichbar";
        }
        if (isWayland(attempt.platform))
            return "die " + waylandDisplay(invocation) + " ist nicht erreichbar";
        break;
    case Failure::Other: break;
    }
    return "die Qt-Plattform „" + attempt.platform + "“ ließ sich nicht starten";
}

std::string withReasons(std::string text, const std::vector<std::string> &reasons)
{
    std::string joined;
    for (const std::string &reason : reasons) {
        const std::string line = shortened(reason);
        if (!line.empty())
            joined += (joined.empty() ? "" : ", ") + ("„" + line + "“");
    }
    return joined.empty() ? text : text + " (" + joined + ")";
}

// The Debian package (the same name in Debian 12 and 13) that holds the
// plugin; empty for a plugin Debian does not ship on its own.
std::string package(std::string_view platform)
{
    if (platform == "xcb")
        return "libqt6gui6";
    return isWayland(platform) ? "qt6-wayland" : "";
}

std::string withoutScreen(const Invocation &invocation)
{
    // xvfb-run offers an X display, which a platform forced in the
    // environment would not look at.
    const std::string &variable = invocation.platformVariable;
    const bool xcbAllowed = variable.empty() || variable.find("xcb") != std::string::npos;
    return "eine laufende Anzeige angeben oder ohne Bildschirm so starten: "
           + std::string(xcbAllowed ? "" : "QT_QPA_PLATFORM=xcb ") + "xvfb-run -a "
           + invocation.program;
}

std::string advice(const Invocation &invocation, const Attempt &attempt)
{
    switch (attempt.failure) {
    case Failure::NoDisplay: return opensDisplay(attempt.platform) ? withoutScreen(invocation) : "";
    case Failure::Refused:
        return "Zugang zur Sitzung verschaffen: XAUTHORITY auf ihre Cookie-Datei setzen oder als "
               "ihr Benutzer starten";
    case Failure::PluginUnloadable:
        return "was Debians Paketen fehlt, nachinstallieren: sudo apt-get --fix-broken install";
    case Failure::PluginMissing: {
        const std::string name = package(attempt.platform);
        return name.empty()
                   ? ""
                   : "das Debian-Paket " + name + " installieren: sudo apt-get install " + name;
    }
    case Failure::Other: break;
    }
    return {};
}

std::string forcedPlatform(const Invocation &invocation)
{
    if (!invocation.platformArgument.empty())
        return "„" + invocation.platformArgument + "“ vorgegeben mit -platform";
    if (!invocation.platformVariable.empty())
        return "„" + invocation.platformVariable + "“ vorgegeben mit QT_QPA_PLATFORM";
    return {};
}

} // namespace

std::string line(const Invocation &invocation, const std::vector<Attempt> &attempts,
                 std::string_view fatal)
{
    std::string text = "klappomatikus: ";
    if (attempts.empty()) {
        const std::string_view firstSentence = fatal.substr(0, fatal.find(". "));
        return text + withReasons("Qt ist beim Start gescheitert", {std::string(firstSentence)});
    }
    std::vector<std::string> parts;
    if (const std::string forced = forcedPlatform(invocation); !forced.empty())
        parts.push_back("Plattform " + forced);
    std::vector<std::string> todo;
    for (const Attempt &attempt : attempts) {
        parts.push_back(withReasons(failure(invocation, attempt), attempt.reasons));
        const std::string step = advice(invocation, attempt);
        if (!step.empty() && std::find(todo.begin(), todo.end(), step) == todo.end())
            todo.push_back(step);
    }
    parts.insert(parts.end(), todo.begin(), todo.end());
    for (std::size_t index = 0; index < parts.size(); ++index)
        text += (index == 0 ? "" : "; ") + parts[index];
    return text;
}

} // namespace StartFailureReport
