// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <string>

class Form1;
class QApplication;
class SystemMessageBoxes;

// What the program does around creating its QApplication, shared by every
// build of the program.
namespace ApplicationSetup {

// The QApplication on main's arguments. Where Qt cannot start (no display
// it can open, its platform plugin missing) the program ends here with exit
// status 1: below Qt's own messages, which say why, one line says which
// display was asked for and what to do.
std::unique_ptr<QApplication> createApplication(int &argc, char **argv);

// The line the program says last where Qt opens no window, made from main's
// arguments and the environment before Qt takes them: which display was
// asked for and what to do. Qt's own messages, and what the libraries below
// it write, stand above it and say the cause.
std::string startFailureLine(int argc, char **argv);

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
