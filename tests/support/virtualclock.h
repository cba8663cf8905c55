// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "performancecounter.h"
#include "randomnumbers.h"

#include <cstdint>

// A counter driven by a virtual clock in nanoseconds: the test moves the
// clock, and every reading within one moment lies `readStepNs` after the
// previous one, as a real counter read back to back would.
class VirtualClockCounter : public PerformanceCounter
{
public:
    std::uint64_t nowNs = 1'000'000'000;
    std::uint64_t readStepNs = 100'000;
    int readCount = 0;
    std::uint64_t lastReading = 0;

    void advance(std::uint64_t ns)
    {
        nowNs += ns;
        m_readsThisMoment = 0;
    }

    void QueryPerformanceCounter(LargeInteger &count) override
    {
        lastReading = nowNs + m_readsThisMoment * readStepNs;
        ++m_readsThisMoment;
        ++readCount;
        count.LowPart = static_cast<quint32>(lastReading);
        count.HighPart = static_cast<quint32>(lastReading >> 32);
    }
    void QueryPerformanceFrequency(LargeInteger &frequency) override
    {
        frequency.LowPart = 1'000'000'000;
        frequency.HighPart = 0;
    }

private:
    std::uint64_t m_readsThisMoment = 0;
};

// Hands out whatever value the test set last; counts the draws.
class SettableRandom : public RandomNumbers
{
public:
    float next = 0.0f;
    int draws = 0;

    void Randomize() override {}
    float Rnd() override
    {
        ++draws;
        return next;
    }
};
