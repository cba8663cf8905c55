// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "xtimer.h"

#include <cmath>
#include <utility>

namespace {

constexpr double TwoToThe32 = 4294967296.0;

} // namespace

xTimer::xTimer(PerformanceCounter &counter, std::function<void()> divisionByZero)
    : m_counter(counter)
    , m_divisionByZero(std::move(divisionByZero))
{
    m_counter.QueryPerformanceFrequency(Frequency);
}

void xTimer::Calibrieren()
{
    m_counter.QueryPerformanceCounter(StartCount);
    m_counter.QueryPerformanceCounter(StopCount);
    CalibrationMs = elapsedMs(StartCount, StopCount);
}

double xTimer::RunTime() const
{
    return elapsedMs(StartCount, StopCount) - CalibrationMs;
}

double xTimer::CounterToDouble(LargeInteger value)
{
    return static_cast<double>(value.HighPart) * TwoToThe32 + static_cast<double>(value.LowPart);
}

double xTimer::elapsedMs(LargeInteger from, LargeInteger to) const
{
    const double frequency = CounterToDouble(Frequency);
    // Counter values are below 2^64 and a non-zero frequency is at least 1,
    // so the division by zero is the only floating-point fault possible.
    if (frequency == 0.0) {
        m_divisionByZero();
        return std::nan("");
    }
    return (CounterToDouble(to) - CounterToDouble(from)) / frequency * MsPerSecond;
}
