// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Ending the program. Neither operation returns: nothing the caller does
// after one of them ever runs.
class ProgramLifetime
{
public:
    virtual ~ProgramLifetime() = default;
    // Ends at once with status 0: no further events, every window gone.
    virtual void end() = 0;
    // Tells the user about a fatal run-time error, then ends with status 1.
    virtual void fatalError(const QString &message) = 0;
};
