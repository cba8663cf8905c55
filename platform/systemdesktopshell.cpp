// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemdesktopshell.h"

#include <QDesktopServices>
#include <QUrl>

void SystemDesktopShell::ShellExecuteA(WindowHandle, const QString &, const QString &file,
                                       const QString &, const QString &, int)
{
    if (!QDesktopServices::openUrl(QUrl(file))) {
        qWarning("klappomatikus: %s ließ sich nicht öffnen (xdg-utils installieren oder "
                 "BROWSER auf einen Browser setzen)",
                 qUtf8Printable(file));
    }
}
