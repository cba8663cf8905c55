// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures intervals of 1 ms to 6 s with xTimer and, around them, with
// CLOCK_MONOTONIC_RAW, and prints the difference for each length.
//
// Output, one line per length:
//   accuracy <length ms> <repetitions> <mean error us> <max |error| us>
// The bracketing raw readings lie outside Start and Halt; the few tens of
// nanoseconds between them count as error, so the figure is an upper bound.

#include "systemperformancecounter.h"
#include "xtimer.h"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double rawMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Sleeps most of the interval and spins the rest, so that the interval ends
// close to its length without burning a core for seconds.
void waitMs(double lengthMs, double fromRawMs)
{
    const double sleepMs = lengthMs - 0.5;
    if (sleepMs > 0) {
        timespec pause{static_cast<time_t>(sleepMs / 1e3),
                       static_cast<long>(std::fmod(sleepMs, 1e3) * 1e6)};
        nanosleep(&pause, nullptr);
    }
    while (rawMs() - fromRawMs < lengthMs) { }
}

} // namespace

int main(int argc, char **argv)
{
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 3;
    const double lengths[] = {1, 10, 100, 1000, 6000};
    SystemPerformanceCounter counter;
    // A counter without a frequency has nothing to measure.
    xTimer stopwatch(counter, [] { std::abort(); });

    for (const double length : lengths) {
        std::vector<double> errorsUs;
        for (int i = 0; i < repetitions; ++i) {
            stopwatch.Calibrieren();
            const double before = rawMs();
            stopwatch.Start();
            waitMs(length, before);
            stopwatch.Halt();
            const double after = rawMs();
            errorsUs.push_back((stopwatch.RunTime() - (after - before)) * 1e3);
        }
        double sum = 0;
        double worst = 0;
        for (const double e : errorsUs) {
            sum += e;
            worst = std::max(worst, std::abs(e));
        }
        std::printf("accuracy %.0f %d %.3f %.3f\n", length, repetitions,
                    sum / static_cast<double>(errorsUs.size()), worst);
        std::fflush(stdout);
    }
    return 0;
}
