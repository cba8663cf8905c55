// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Form1;
class SystemMessageBoxes;

// What the program does around creating its QApplication, shared by every
// build of the program.
namespace ApplicationSetup {

// False, after saying why in one line on standard error, when no display
// is named or none that Qt would try can be reached; takes main's arguments
// for the platform chosen there and for argv[0], to show how to start the
// program without a display.
bool displayAvailable(int argc, char **argv);

// The application's name, version, desktop identity and fonts; called
// right after the QApplication is created.
void configure();

// The window's defined face and its substitutes, with the application's
// default font; part of configure().
void installFonts();

// Shows the window as the program's only one: centred, the parent of the
// message boxes, and holding the keyboard (without a window manager nobody
// else gives a new window the input focus).
void showMainWindow(Form1 &form, SystemMessageBoxes &messageBoxes);

} // namespace ApplicationSetup
