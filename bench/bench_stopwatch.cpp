// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of the stopwatch's operations next to a bare reading of the
// clock it is built on.

#include "systemperformancecounter.h"
#include "xtimer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <time.h>

namespace {

void BM_clock_gettime_MONOTONIC(benchmark::State &state)
{
    timespec now;
    for (auto _ : state) {
        clock_gettime(CLOCK_MONOTONIC, &now);
        benchmark::DoNotOptimize(now);
    }
}
BENCHMARK(BM_clock_gettime_MONOTONIC);

// Through the interface, as the stopwatch calls it.
void BM_QueryPerformanceCounter(benchmark::State &state)
{
    SystemPerformanceCounter system;
    PerformanceCounter &counter = system;
    benchmark::DoNotOptimize(&counter);
    LargeInteger reading;
    for (auto _ : state) {
        counter.QueryPerformanceCounter(reading);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_QueryPerformanceCounter);

struct Stopwatch
{
    SystemPerformanceCounter counter;
    // A counter without a frequency has nothing to measure.
    xTimer timer{counter, [] { std::abort(); }};
};

void BM_Start(benchmark::State &state)
{
    Stopwatch stopwatch;
    for (auto _ : state) {
        stopwatch.timer.Start();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Start);

void BM_Halt(benchmark::State &state)
{
    Stopwatch stopwatch;
    for (auto _ : state) {
        stopwatch.timer.Halt();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Halt);

void BM_Calibrieren(benchmark::State &state)
{
    Stopwatch stopwatch;
    for (auto _ : state) {
        stopwatch.timer.Calibrieren();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Calibrieren);

void BM_RunTime(benchmark::State &state)
{
    Stopwatch stopwatch;
    stopwatch.timer.Calibrieren();
    stopwatch.timer.Start();
    stopwatch.timer.Halt();
    for (auto _ : state) {
        double ms = stopwatch.timer.RunTime();
        benchmark::DoNotOptimize(ms);
    }
}
BENCHMARK(BM_RunTime);

} // namespace

BENCHMARK_MAIN();
