// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktopshell.h"

// Opens the file with Qt's desktop services: the desktop's own opener
// (xdg-open, the portal inside a sandbox) or the browser named in $BROWSER.
// An address needs no working directory, and the handler shows its window
// as it always does. Where nothing can open it, one line on standard error
// says so.
class SystemDesktopShell final : public DesktopShell
{
public:
    void ShellExecuteA(WindowHandle parent, const QString &operation, const QString &file,
                       const QString &parameters, const QString &directory,
                       int showCommand) override;
};
