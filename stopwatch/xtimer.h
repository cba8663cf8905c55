// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "performancecounter.h"

#include <functional>

// A stopwatch over the performance counter that measures one interval in
// milliseconds and subtracts the cost of one counter reading, measured
// beforehand by Calibrieren.
class xTimer
{
public:
    static constexpr double MsPerSecond = 1000.0;

    // `divisionByZero` is called when a computation divides by a zero
    // frequency (a counter that does not run): a floating-point fault, which
    // the owner reports. The computation then yields NaN.
    xTimer(PerformanceCounter &counter, std::function<void()> divisionByZero);

    void Calibrieren();
    // Start and Halt take one counter reading each and do nothing else.
    void Start() { m_counter.QueryPerformanceCounter(StartCount); }
    void Halt() { m_counter.QueryPerformanceCounter(StopCount); }
    // Elapsed milliseconds between Start and Halt, less the calibration.
    double RunTime() const;

private:
    static double CounterToDouble(LargeInteger value);
    // Milliseconds between two readings.
    double elapsedMs(LargeInteger from, LargeInteger to) const;

    LargeInteger StartCount;
    LargeInteger StopCount;
    LargeInteger Frequency;
    double CalibrationMs = 0.0;

    PerformanceCounter &m_counter;
    std::function<void()> m_divisionByZero;
};
