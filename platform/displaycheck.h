// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Whether Qt will find a display to open a window on: a platform plugin
// chosen by the environment, an X11 display or a Wayland display.
namespace DisplayCheck {

bool displayAvailable();
const char *noDisplayMessage();

} // namespace DisplayCheck
