// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowhandle.h"

#include <QString>

// Opens a document or address with the desktop's default handler.
class DesktopShell
{
public:
    virtual ~DesktopShell() = default;
    virtual void ShellExecuteA(WindowHandle parent, const QString &operation, const QString &file,
                               const QString &parameters, const QString &directory,
                               int showCommand) = 0;
};
