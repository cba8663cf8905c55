// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "applicationsetup.h"

#include "accessiblefactory.h"
#include "config-klappomatikus.h"
#include "form1.h"
#include "form1definition.h"
#include "systemfonts.h"
#include "systemmessageboxes.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace ApplicationSetup {

namespace {

constexpr const char *Name = "klappomatikus";

// Said last where Qt opens no window, whatever the cause: Qt's lines and
// those of the libraries below it stand above and name what failed.
constexpr const char *StartFailureLine =
    "klappomatikus: Qt konnte kein Fenster öffnen; eine laufende Anzeige nennen (DISPLAY, "
    "WAYLAND_DISPLAY oder -display); ohne Bildschirm so starten: xvfb-run -a klappomatikus "
    "-platform xcb; wo X den Zugang verweigert, muss XAUTHORITY auf die Cookie-Datei der "
    "Sitzung zeigen; was einem Qt-Plugin fehlt, zeigt QT_DEBUG_PLUGINS=1";

QtMessageHandler previousHandler = nullptr;

// In force while the QApplication is built. Every message goes to the
// handler before, Qt's own, and is written as Qt writes it. After Qt's fatal
// report (no platform plugin could start) the program's line follows and
// the program ends with status 1 at once: Qt may hold locks here, and it
// would abort if the handler returned.
void handleStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    previousHandler(type, context, text);
    if (type != QtFatalMsg)
        return;
    std::fprintf(stderr, "%s\n", StartFailureLine);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::unique_ptr<QApplication> createApplication(int &argc, char **argv)
{
    previousHandler = qInstallMessageHandler(handleStartMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    return application;
}

void configure()
{
    QApplication::setApplicationName(QString::fromUtf8(Name));
    // No application display name: Qt would append it to every window title
    // ("Auswertung — Klappomatikus"), and the message boxes' titles must stay
    // exactly as given.
    QApplication::setApplicationVersion(QStringLiteral(KLAPPOMATIKUS_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KLAPPOMATIKUS_APP_ID));
    AccessibleFactory::install();
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
