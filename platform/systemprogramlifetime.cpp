// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemprogramlifetime.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

void SystemProgramLifetime::end()
{
    // Leaving through _Exit delivers no further events: no timer tick or
    // queued click can run after the decision to end.
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void SystemProgramLifetime::fatalError(const QString &message)
{
    std::fprintf(stderr, "klappomatikus: %s\n", qPrintable(QString(message).replace('\n', ' ')));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Klappomatikus"), message,
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}
