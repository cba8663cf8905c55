#pragma once

// Stand-ins and probes for the benchmarks; the shipped program carries none
// of them.

#include "messageboxes.h"
#include "performancecounter.h"
#include "programlifetime.h"
#include "randomnumbers.h"

#include <time.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>

inline std::uint64_t monotonicNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u
           + static_cast<std::uint64_t>(now.tv_nsec);
}

// Passes every reading through from the real counter and keeps it; with a
// file descriptor it also writes "read <ns>" there, after the reading.
class RecordingCounter : public PerformanceCounter
{
public:
    RecordingCounter(PerformanceCounter &inner, int fd = -1) : m_inner(inner), m_fd(fd) {}

    void QueryPerformanceCounter(LargeInteger &count) override
    {
        m_inner.QueryPerformanceCounter(count);
        const std::uint64_t value = (static_cast<std::uint64_t>(count.HighPart) << 32)
                                    | count.LowPart;
        readings[static_cast<std::size_t>(readCount) % readings.size()] = value;
        ++readCount;
        if (m_fd >= 0) {
            char line[48];
            const int length = std::snprintf(line, sizeof line, "read %llu\n",
                                             static_cast<unsigned long long>(value));
            if (write(m_fd, line, static_cast<std::size_t>(length)) < 0)
                m_fd = -1;
        }
    }
    void QueryPerformanceFrequency(LargeInteger &frequency) override
    {
        m_inner.QueryPerformanceFrequency(frequency);
    }

    std::array<std::uint64_t, 16> readings{};
    int readCount = 0;

private:
    PerformanceCounter &m_inner;
    int m_fd;
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
