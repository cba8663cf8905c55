#include "displaycheck.h"
#include "form1.h"
#include "systemfonts.h"
#include "systemservices.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (!DisplayCheck::displayAvailable()) {
        std::fprintf(stderr, "%s\n", DisplayCheck::noDisplayMessage());
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("klappomatikus"));
    // No application display name: Qt would append it to every window title
    // ("Auswertung — Klappomatikus"), and the message boxes' titles must stay
    // exactly as given.
    QApplication::setApplicationVersion(QStringLiteral(KLAPPOMATIKUS_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KLAPPOMATIKUS_APP_ID));
    SystemFonts::install();

    SystemServices system;
    Form1 form(system.services());
    system.messageBoxes().setParentWindow(&form);
    form.centreOnScreen();
    form.show();
    return application.exec();
}
