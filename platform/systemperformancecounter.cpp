// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemperformancecounter.h"

#include <time.h>

namespace {

void store(LargeInteger &target, quint64 value)
{
    target.LowPart = static_cast<quint32>(value);
    target.HighPart = static_cast<quint32>(value >> 32);
}

} // namespace

void SystemPerformanceCounter::QueryPerformanceCounter(LargeInteger &count)
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    store(count, static_cast<quint64>(now.tv_sec) * TicksPerSecond
                     + static_cast<quint64>(now.tv_nsec));
}

void SystemPerformanceCounter::QueryPerformanceFrequency(LargeInteger &frequency)
{
    store(frequency, TicksPerSecond);
}
