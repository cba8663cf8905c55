// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemperformancecounter.h"

#include <time.h>

quint64 SystemPerformanceCounter::nowNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<quint64>(now.tv_sec) * TicksPerSecond + static_cast<quint64>(now.tv_nsec);
}

void SystemPerformanceCounter::QueryPerformanceCounter(LargeInteger &count)
{
    count = LargeInteger::fromCount(nowNs());
}

void SystemPerformanceCounter::QueryPerformanceFrequency(LargeInteger &frequency)
{
    frequency = LargeInteger::fromCount(TicksPerSecond);
}
