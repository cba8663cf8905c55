// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "applicationsetup.h"

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

// Made before Qt starts, for the handler below: a message handler is a
// plain function.
std::string failureLine;
QtMessageHandler previousHandler = nullptr;

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// The value of one of Qt's own options, -name or --name; like Qt, the last
// one counts.
std::string option(int argc, char **argv, const std::string &name)
{
    std::string value;
    for (int index = 1; index + 1 < argc; ++index) {
        if (argv[index] == "-" + name || argv[index] == "--" + name)
            value = argv[++index];
    }
    return value;
}

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
    std::fprintf(stderr, "%s\n", failureLine.c_str());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::unique_ptr<QApplication> createApplication(int &argc, char **argv)
{
    failureLine = startFailureLine(argc, argv);
    previousHandler = qInstallMessageHandler(handleStartMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    return application;
}

std::string startFailureLine(int argc, char **argv)
{
    const std::string platformArgument = option(argc, argv, "platform");
    const bool byArgument = !platformArgument.empty();
    const std::string forced = byArgument ? platformArgument : variable("QT_QPA_PLATFORM");
    const std::string displayArgument = option(argc, argv, "display");
    const std::string x = !displayArgument.empty()       ? "-display " + displayArgument
                          : !variable("DISPLAY").empty() ? "DISPLAY=" + variable("DISPLAY")
                                                         : "";
    const std::string waylandDisplay = variable("WAYLAND_DISPLAY");
    // A forced platform decides which displays Qt looks at; otherwise it
    // tries Wayland where WAYLAND_DISPLAY is set, and always X.
    const bool wayland = forced.empty() ? !waylandDisplay.empty()
                                        : forced.find("wayland") != std::string::npos;
    const bool xcb = forced.empty() || forced.find("xcb") != std::string::npos;

    std::string asked;
    const auto add = [&asked](const std::string &part) {
        asked += (asked.empty() ? "" : ", ") + part;
    };
    if (!forced.empty())
        add("Plattform „" + forced + "“ mit " + (byArgument ? "-platform" : "QT_QPA_PLATFORM"));
    if (wayland) {
        add(waylandDisplay.empty() ? "Wayland-Anzeige wayland-0"
                                   : "Wayland-Anzeige WAYLAND_DISPLAY=" + waylandDisplay);
    }
    if (xcb) {
        add(!x.empty()      ? "X-Anzeige " + x
            : asked.empty() ? "keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY noch -display"
                            : "keine X-Anzeige: weder DISPLAY noch -display");
    }

    // xvfb-run offers an X display; a later -platform beats the forced one.
    const std::string program = argc > 0 && argv[0] && *argv[0] ? argv[0] : Name;
    return std::string(Name) + ": Qt konnte kein Fenster öffnen (gefragt: " + asked
           + "); eine laufende Anzeige nennen oder ohne Bildschirm starten: xvfb-run -a " + program
           + (xcb ? "" : " -platform xcb")
           + (xcb && !x.empty() ? "; den Zugang zur X-Sitzung prüfen: XAUTHORITY muss auf ihre "
                                  "Cookie-Datei zeigen"
                                : "")
           + "; was einem Qt-Plugin fehlt, zeigt QT_DEBUG_PLUGINS=1";
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
