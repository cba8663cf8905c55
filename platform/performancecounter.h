// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// A 64-bit counter value kept as two unsigned 32-bit halves, low half first.
struct LargeInteger
{
    quint32 LowPart = 0;
    quint32 HighPart = 0;

    static constexpr LargeInteger fromCount(quint64 count)
    {
        return {static_cast<quint32>(count), static_cast<quint32>(count >> 32)};
    }
    constexpr quint64 count() const { return (quint64{HighPart} << 32) | LowPart; }
};

// The high-resolution performance counter: a monotonic count and its fixed
// number of ticks per second. Results are never examined, so neither
// operation reports one.
class PerformanceCounter
{
public:
    virtual ~PerformanceCounter() = default;
    virtual void QueryPerformanceCounter(LargeInteger &count) = 0;
    virtual void QueryPerformanceFrequency(LargeInteger &frequency) = 0;
};
