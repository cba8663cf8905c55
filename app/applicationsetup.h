// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program does around creating its QApplication, shared by every
// build of the program.
namespace ApplicationSetup {

// False, after saying why in one line on standard error, when no display
// can be opened; `program` is argv[0], to show how to start it without one.
bool displayAvailable(const char *program);

// The application's name, version, desktop identity and fonts; called
// right after the QApplication is created.
void configure();

// The window's defined face and its substitutes, with the application's
// default font; part of configure().
void installFonts();

} // namespace ApplicationSetup
