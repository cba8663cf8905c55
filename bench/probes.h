// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Probes for the benchmarks; the shipped program carries none of them.

#include "performancecounter.h"

#include <array>
#include <cstdint>

// Passes every reading through from the real counter and keeps the last
// ones in memory; nothing else happens between two readings, so that the
// stopwatch's calibration measures what it would without the probe.
class RecordingCounter : public PerformanceCounter
{
public:
    explicit RecordingCounter(PerformanceCounter &inner)
        : m_inner(inner)
    {
    }

    void QueryPerformanceCounter(LargeInteger &count) override
    {
        m_inner.QueryPerformanceCounter(count);
        readings[static_cast<std::size_t>(readCount) % readings.size()] = count.count();
        ++readCount;
    }
    void QueryPerformanceFrequency(LargeInteger &frequency) override
    {
        m_inner.QueryPerformanceFrequency(frequency);
    }

    std::uint64_t reading(int index) const
    {
        return readings[static_cast<std::size_t>(index) % readings.size()];
    }

    std::array<std::uint64_t, 64> readings{};
    int readCount = 0;

private:
    PerformanceCounter &m_inner;
};
