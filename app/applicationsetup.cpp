// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "applicationsetup.h"

#include "config-klappomatikus.h"
#include "form1.h"
#include "form1definition.h"
#include "startfailureguard.h"
#include "systemfonts.h"
#include "systemmessageboxes.h"

#include <QApplication>

namespace ApplicationSetup {

namespace {

constexpr const char *Name = "klappomatikus";

} // namespace

std::unique_ptr<QApplication> createApplication(int &argc, char **argv)
{
    const StartFailureGuard guard(argc, argv);
    return std::make_unique<QApplication>(argc, argv);
}

void configure()
{
    QApplication::setApplicationName(QString::fromUtf8(Name));
    // No application display name: Qt would append it to every window title
    // ("Auswertung — Klappomatikus"), and the message boxes' titles must stay
    // exactly as given.
    QApplication::setApplicationVersion(QStringLiteral(KLAPPOMATIKUS_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KLAPPOMATIKUS_APP_ID));
    installFonts();
}

void installFonts()
{
    SystemFonts::install(QString::fromUtf8(Form1Definition::DefinedFontFamily),
                         Form1Definition::DefaultFontPointSize);
}

void showMainWindow(Form1 &form, SystemMessageBoxes &messageBoxes)
{
    messageBoxes.setParentWindow(&form);
    form.centreOnScreen();
    form.show();
    form.activateWindow();
}

} // namespace ApplicationSetup
