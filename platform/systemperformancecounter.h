// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "performancecounter.h"

// CLOCK_MONOTONIC counted in nanoseconds: a frequency of 10^9 ticks per
// second. A reading is one vDSO call with no locks and no allocation.
class SystemPerformanceCounter final : public PerformanceCounter
{
public:
    static constexpr quint64 TicksPerSecond = 1'000'000'000;
    // The clock itself, for probes that stamp events on the counter's scale.
    static quint64 nowNs();

    void QueryPerformanceCounter(LargeInteger &count) override;
    void QueryPerformanceFrequency(LargeInteger &frequency) override;
};
