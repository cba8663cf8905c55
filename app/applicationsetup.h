// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

class Form1;
class QApplication;
class SystemMessageBoxes;

// What the program does around creating its QApplication, shared by every
// build of the program.
namespace ApplicationSetup {

// The QApplication on main's arguments. Where Qt cannot start (no display
// it can open, its platform plugin missing) the program ends here with exit
// status 1: below Qt's own messages, its fatal report among them, which say
// why, one line of the program's own says what to do.
std::unique_ptr<QApplication> createApplication(int &argc, char **argv);

// The application's name, version, desktop identity, accessible controls and
// fonts; called right after the QApplication is created.
void configure();

// The window's defined face and its substitutes, with the application's
// default font; part of configure().
void installFonts();

// Shows the window as the program's only one: centred, the parent of the
// message boxes, and holding the keyboard (without a window manager nobody
// else gives a new window the input focus).
void showMainWindow(Form1 &form, SystemMessageBoxes &messageBoxes);

} // namespace ApplicationSetup
