// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services.h"
#include "systemdesktopshell.h"
#include "systemmessageboxes.h"
#include "systemperformancecounter.h"
#include "systempointerservices.h"
#include "systemprogramlifetime.h"
#include "systemrandomnumbers.h"
#include "systemscreenmetrics.h"

// The real platform: owns one of each service.
class SystemServices
{
public:
    Services services();
    SystemMessageBoxes &messageBoxes() { return m_messageBoxes; }

private:
    SystemPerformanceCounter m_counter;
    SystemRandomNumbers m_random;
    SystemMessageBoxes m_messageBoxes;
    SystemProgramLifetime m_lifetime;
    SystemDesktopShell m_shell;
    SystemPointerServices m_pointer;
    SystemScreenMetrics m_screen;
};
