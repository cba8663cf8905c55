// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakeservices.h"
#include "systemperformancecounter.h"
#include "xtimer.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <time.h>
#include <vector>

using Readings = std::vector<std::uint64_t>;

class TestXTimer : public QObject
{
    Q_OBJECT

private slots:
    void countSplitsIntoHalves_data();
    void countSplitsIntoHalves();
    void runTime_data();
    void runTime();
    void calibrateThenReadIsExactlyZero();
    void startAndHaltReadTheCounterOnce();
    void runTimeIsStable();
    void zeroFrequencyIsFatal_data();
    void zeroFrequencyIsFatal();
    void systemCounterIgnoresTheWallClock();

private:
    // A stopwatch on m_counter that counts its faults in m_faults.
    xTimer stopwatch()
    {
        return xTimer(m_counter, [this] { ++m_faults; });
    }

    FakeCounter m_counter;
    int m_faults = 0;
};

void TestXTimer::countSplitsIntoHalves_data()
{
    QTest::addColumn<quint64>("count");
    QTest::addColumn<quint32>("low");
    QTest::addColumn<quint32>("high");

    QTest::newRow("zero") << quint64(0) << quint32(0) << quint32(0);
    QTest::newRow("low half full") << quint64(0xFFFF'FFFF) << quint32(0xFFFF'FFFF) << quint32(0);
    QTest::newRow("2^32") << quint64(0x1'0000'0000) << quint32(0) << quint32(1);
    QTest::newRow("top bits of both halves")
        << quint64(0x8000'0001'8000'0002) << quint32(0x8000'0002) << quint32(0x8000'0001);
    QTest::newRow("largest count")
        << quint64(0xFFFF'FFFF'FFFF'FFFF) << quint32(0xFFFF'FFFF) << quint32(0xFFFF'FFFF);
}

void TestXTimer::countSplitsIntoHalves()
{
    QFETCH(quint64, count);
    QFETCH(quint32, low);
    QFETCH(quint32, high);

    const LargeInteger halves = LargeInteger::fromCount(count);
    QCOMPARE(halves.LowPart, low);
    QCOMPARE(halves.HighPart, high);
    const LargeInteger joined{low, high};
    QCOMPARE(joined.count(), count);
}

void TestXTimer::runTime_data()
{
    QTest::addColumn<quint64>("frequency");
    QTest::addColumn<bool>("calibrate");
    QTest::addColumn<Readings>("readings");
    QTest::addColumn<double>("expectedMs");
    QTest::addColumn<double>("tolerance");

    // Calibrieren's two readings are followed by Start's and Halt's.
    QTest::newRow("interval shorter than the calibration is negative")
        << quint64(1'000'000'000) << true << Readings{0, 40, 1000, 1010} << -0.00003 << 1e-12;
    QTest::newRow("calibration is subtracted from a long interval")
        << quint64(1'000'000'000) << true << Readings{0, 25, 1'000'000'000, 1'250'000'025} << 250.0
        << 1e-9;
    QTest::newRow("low half with the top bit set counts unsigned")
        << quint64(1000) << false << Readings{0, 0xFFFF'FFFFull} << 4294967295.0 << 1e-3;
    QTest::newRow("2^32 is one in the high half")
        << quint64(1000) << false << Readings{0, 0x1'0000'0000ull} << 4294967296.0 << 1e-3;
    QTest::newRow("high half with the top bit set counts unsigned")
        << quint64(1'000'000'000) << false
        << Readings{0x8000'0000'0000'0000ull, 0x8000'0000'3B9A'CA00ull} << 1000.0 << 2e-3;
    QTest::newRow("counter beyond 2^53 keeps microseconds")
        << quint64(1'000'000'000) << false
        << Readings{0x0040'0000'0000'0000ull, 0x0040'0000'0001'86A0ull} << 0.1 << 1e-5;
}

void TestXTimer::runTime()
{
    QFETCH(quint64, frequency);
    QFETCH(bool, calibrate);
    QFETCH(Readings, readings);
    QFETCH(double, expectedMs);
    QFETCH(double, tolerance);

    m_counter = FakeCounter();
    m_counter.frequency = frequency;
    m_counter.readings.assign(readings.begin(), readings.end());
    m_faults = 0;
    xTimer stopwatch = this->stopwatch();
    if (calibrate)
        stopwatch.Calibrieren();
    stopwatch.Start();
    stopwatch.Halt();

    const double measured = stopwatch.RunTime();
    QVERIFY2(std::abs(measured - expectedMs) <= tolerance,
             qPrintable(QString::number(measured, 'g', 17)));
    QCOMPARE(m_faults, 0);
}

void TestXTimer::calibrateThenReadIsExactlyZero()
{
    m_counter = FakeCounter();
    m_counter.readings = {1'000'003, 1'000'040};
    xTimer stopwatch = this->stopwatch();
    stopwatch.Calibrieren();
    QCOMPARE(stopwatch.RunTime(), 0.0);
}

void TestXTimer::startAndHaltReadTheCounterOnce()
{
    m_counter = FakeCounter();
    xTimer stopwatch = this->stopwatch();
    stopwatch.Calibrieren();
    QCOMPARE(m_counter.readCount, 2);
    stopwatch.Start();
    QCOMPARE(m_counter.readCount, 3);
    stopwatch.Halt();
    QCOMPARE(m_counter.readCount, 4);
}

void TestXTimer::runTimeIsStable()
{
    m_counter = FakeCounter();
    m_counter.readings = {10, 30, 1000, 123'456'789};
    xTimer stopwatch = this->stopwatch();
    stopwatch.Calibrieren();
    stopwatch.Start();
    stopwatch.Halt();
    const double first = stopwatch.RunTime();
    QCOMPARE(stopwatch.RunTime(), first);
    QCOMPARE(m_counter.readCount, 4);
}

void TestXTimer::zeroFrequencyIsFatal_data()
{
    QTest::addColumn<bool>("calibrate");
    QTest::newRow("in Calibrieren") << true;
    QTest::newRow("in RunTime") << false;
}

void TestXTimer::zeroFrequencyIsFatal()
{
    QFETCH(bool, calibrate);
    m_counter = FakeCounter();
    m_counter.frequency = 0;
    m_counter.readings = {0, 0, 5, 9};
    m_faults = 0;
    xTimer stopwatch = this->stopwatch();
    if (calibrate) {
        stopwatch.Calibrieren();
        QCOMPARE(m_faults, 1);
        return;
    }
    stopwatch.Start();
    stopwatch.Halt();
    const double measured = stopwatch.RunTime();
    QCOMPARE(m_faults, 1);
    QVERIFY(std::isnan(measured));
}

// The real counter reads the monotonic clock, which a step of the wall clock
// (NTP, a user setting the time) leaves alone: each reading lies between two
// of that clock's own, in nanoseconds at its frequency.
void TestXTimer::systemCounterIgnoresTheWallClock()
{
    SystemPerformanceCounter counter;
    LargeInteger frequency;
    counter.QueryPerformanceFrequency(frequency);
    QCOMPARE(frequency.count(), quint64(1'000'000'000));
    const auto monotonicNs = [] {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        return quint64(now.tv_sec) * 1'000'000'000 + quint64(now.tv_nsec);
    };
    const quint64 before = monotonicNs();
    LargeInteger count;
    counter.QueryPerformanceCounter(count);
    QVERIFY(before <= count.count() && count.count() <= monotonicNs());
}

QTEST_GUILESS_MAIN(TestXTimer)
#include "tst_xtimer.moc"
