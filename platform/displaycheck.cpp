// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "displaycheck.h"

#include <cstdlib>

namespace {

bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

} // namespace

namespace DisplayCheck {

bool displayAvailable()
{
    return isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

std::string noDisplayMessage(std::string_view program)
{
    const std::string_view name = program.substr(program.find_last_of('/') + 1);
    return std::string(name)
           + ": keine grafische Anzeige gefunden (weder DISPLAY noch WAYLAND_DISPLAY gesetzt); "
             "ohne Bildschirm so starten: xvfb-run -a "
           + std::string(program);
}

} // namespace DisplayCheck
