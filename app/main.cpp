// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "applicationsetup.h"
#include "form1.h"
#include "systemservices.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const std::unique_ptr<QApplication> application = ApplicationSetup::createApplication(argc,
                                                                                          argv);
    ApplicationSetup::configure();

    SystemServices system;
    Form1 form(system.services());
    ApplicationSetup::showMainWindow(form, system.messageBoxes());
    return application->exec();
}
