// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "performancecounter.h"
#include "programlifetime.h"

// A stopwatch over the performance counter that measures one interval in
// milliseconds and subtracts the cost of one counter reading, measured
// beforehand by Calibrieren.
class xTimer
{
public:
    xTimer(PerformanceCounter &counter, ProgramLifetime &lifetime);

    void Calibrieren();
    // Start and Halt take one counter reading each and do nothing else.
    void Start() { m_counter.QueryPerformanceCounter(StartCount); }
    void Halt() { m_counter.QueryPerformanceCounter(StopCount); }
    // Elapsed milliseconds between Start and Halt, less the calibration.
    double RunTime() const;

private:
    static double CounterToDouble(LargeInteger value);
    // Milliseconds between two readings; a zero frequency is a fatal
    // run-time error (the result is then NaN, for a caller that goes on).
    double elapsedMs(LargeInteger from, LargeInteger to) const;

    LargeInteger StartCount;
    LargeInteger StopCount;
    LargeInteger Frequency;
    double CalibrationMs = 0.0;

    PerformanceCounter &m_counter;
    ProgramLifetime &m_lifetime;
};
