// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemdesktopshell.h"

#include <QProcess>

void SystemDesktopShell::ShellExecuteA(WindowHandle parent, const QString &operation,
                                       const QString &file, const QString &parameters,
                                       const QString &directory, int showCommand)
{
    // xdg-open knows one operation (open), takes no parameters and always
    // shows the handler's window normally.
    Q_UNUSED(parent);
    Q_UNUSED(operation);
    Q_UNUSED(parameters);
    Q_UNUSED(showCommand);
    QProcess::startDetached(QStringLiteral("xdg-open"), {file}, directory);
}
