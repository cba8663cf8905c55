// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "applicationsetup.h"

#include "displaycheck.h"
#include "systemfonts.h"

#include <QApplication>

#include <cstdio>

namespace ApplicationSetup {

bool displayAvailable()
{
    if (DisplayCheck::displayAvailable())
        return true;
    std::fprintf(stderr, "%s\n", DisplayCheck::noDisplayMessage());
    return false;
}

void configure()
{
    QApplication::setApplicationName(QStringLiteral("klappomatikus"));
    // No application display name: Qt would append it to every window title
    // ("Auswertung — Klappomatikus"), and the message boxes' titles must stay
    // exactly as given.
    QApplication::setApplicationVersion(QStringLiteral(KLAPPOMATIKUS_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KLAPPOMATIKUS_APP_ID));
    SystemFonts::install();
}

} // namespace ApplicationSetup
