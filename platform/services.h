// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktopshell.h"
#include "messageboxes.h"
#include "performancecounter.h"
#include "pointerservices.h"
#include "programlifetime.h"
#include "randomnumbers.h"
#include "screenmetrics.h"

// Everything the window's logic needs from the platform, by reference, so
// that tests can hand in stand-ins.
struct Services
{
    PerformanceCounter &counter;
    RandomNumbers &random;
    MessageBoxes &messageBoxes;
    ProgramLifetime &lifetime;
    DesktopShell &shell;
    PointerServices &pointer;
    ScreenMetrics &screen;
};
