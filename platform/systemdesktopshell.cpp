// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemdesktopshell.h"

#include <QDesktopServices>
#include <QUrl>

void SystemDesktopShell::ShellExecuteA(WindowHandle parent, const QString &operation,
                                       const QString &file, const QString &parameters,
                                       const QString &directory, int showCommand)
{
    Q_UNUSED(parent);
    Q_UNUSED(operation);
    Q_UNUSED(parameters);
    Q_UNUSED(directory);
    Q_UNUSED(showCommand);
    if (!QDesktopServices::openUrl(QUrl(file))) {
        qWarning("klappomatikus: %s ließ sich nicht öffnen (xdg-utils installieren oder "
                 "BROWSER auf einen Browser setzen)",
                 qUtf8Printable(file));
    }
}
