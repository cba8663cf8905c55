// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Stand-ins and probes for the benchmarks; the shipped program carries none
// of them.

#include "messageboxes.h"
#include "performancecounter.h"
#include "programlifetime.h"
#include "randomnumbers.h"

#include <time.h>

#include <array>
#include <cstdint>

inline std::uint64_t monotonicNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u
           + static_cast<std::uint64_t>(now.tv_nsec);
}

// Passes every reading through from the real counter and keeps the last
// ones in memory; nothing else happens between two readings, so that the
// stopwatch's calibration measures what it would without the probe.
class RecordingCounter : public PerformanceCounter
{
public:
    explicit RecordingCounter(PerformanceCounter &inner) : m_inner(inner) {}

    void QueryPerformanceCounter(LargeInteger &count) override
    {
        m_inner.QueryPerformanceCounter(count);
        readings[static_cast<std::size_t>(readCount) % readings.size()] =
            (static_cast<std::uint64_t>(count.HighPart) << 32) | count.LowPart;
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

class FixedRandom : public RandomNumbers
{
public:
    float next = 0.0f;
    void Randomize() override {}
    float Rnd() override { return next; }
};

class DismissedMessageBoxes : public MessageBoxes
{
public:
    int shown = 0;
    void show(const QString &, MessageBoxStyle, const QString &) override { ++shown; }
};

class RecordedLifetime : public ProgramLifetime
{
public:
    bool ended = false;
    void end() override { ended = true; }
    void fatalError(const QString &) override { ended = true; }
    bool hasEnded() const override { return ended; }
};
