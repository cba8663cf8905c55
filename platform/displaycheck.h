// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// Whether Qt will find a display to open a window on: a platform plugin
// chosen by the environment, an X11 display or a Wayland display.
namespace DisplayCheck {

bool displayAvailable();
// One line saying that no display was found and how to start `program`,
// as the user called it, without one.
std::string noDisplayMessage(std::string_view program);

} // namespace DisplayCheck
