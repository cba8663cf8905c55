// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "applicationsetup.h"

#include "config-klappomatikus.h"
#include "form1.h"
#include "form1definition.h"
#include "startupfailure.h"
#include "systemfonts.h"
#include "systemmessageboxes.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace ApplicationSetup {

namespace {

constexpr const char *Name = "klappomatikus";

// What the handler below needs; a message handler is a plain function.
StartupFailure::Request request;
QtMessageHandler previousHandler = nullptr;

// In force while the QApplication is built. Qt's messages go on as ever,
// when they come. Its fatal report (no platform plugin could start) gives
// way to the program's own line: Qt's lines above it say the cause. Qt
// may hold locks here, so the program ends at once, without running exit
// handlers; Qt would abort if the handler returned.
void handleStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        previousHandler(type, context, text);
        return;
    }
    std::fprintf(stderr, "%s\n", StartupFailure::line(request).c_str());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::unique_ptr<QApplication> createApplication(int &argc, char **argv)
{
    request = StartupFailure::request(argc, argv);
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
