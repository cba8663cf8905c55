// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program does around creating its QApplication, shared by every
// build of the program.
namespace ApplicationSetup {

// False, after saying why in one line on standard error, when no display
// can be opened.
bool displayAvailable();

// The application's name, version, desktop identity and fonts; called
// right after the QApplication is created.
void configure();

} // namespace ApplicationSetup
