// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktopshell.h"

// Hands the file to xdg-open, detached, in the given working directory.
// Qt's desktop services would run the same xdg-open, but cannot pass the
// directory; inside a sandbox xdg-open itself asks the desktop portal.
// Whether a handler opens it is not checked.
class SystemDesktopShell final : public DesktopShell
{
public:
    void ShellExecuteA(WindowHandle parent, const QString &operation, const QString &file,
                       const QString &parameters, const QString &directory,
                       int showCommand) override;
};
