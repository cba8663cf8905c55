// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemrandomnumbers.h"

#include <QTest>

#include <cmath>

class TestRandomNumbers : public QObject
{
    Q_OBJECT

private slots:
    void unitFloatEdges_data();
    void unitFloatEdges();
    void drawsAreUniformInUnitInterval();
    void seedsDifferFromRunToRun();
};

void TestRandomNumbers::unitFloatEdges_data()
{
    QTest::addColumn<quint32>("bits");
    QTest::addColumn<float>("expected");
    QTest::newRow("all zero") << quint32(0) << 0.0f;
    QTest::newRow("all ones is the largest float below 1")
        << quint32(0xFFFFFFFF) << std::nextafter(1.0f, 0.0f);
    QTest::newRow("low byte is ignored") << quint32(0x000000FF) << 0.0f;
    QTest::newRow("top bit is one half") << quint32(0x80000000) << 0.5f;
}

void TestRandomNumbers::unitFloatEdges()
{
    QFETCH(quint32, bits);
    QFETCH(float, expected);
    QCOMPARE(SystemRandomNumbers::toUnitFloat(bits), expected);
}

void TestRandomNumbers::drawsAreUniformInUnitInterval()
{
    SystemRandomNumbers random;
    random.Randomize();
    constexpr int Draws = 200'000;
    constexpr int Bins = 10;
    int counts[Bins] = {};
    for (int i = 0; i < Draws; ++i) {
        const float value = random.Rnd();
        QVERIFY2(value >= 0.0f && value < 1.0f, qPrintable(QString::number(double(value), 'g', 9)));
        ++counts[static_cast<int>(value * Bins)];
    }
    // Each tenth expects 20,000 draws; 6 standard deviations is about 800.
    for (int count : counts)
        QVERIFY2(std::abs(count - Draws / Bins) < 800, qPrintable(QString::number(count)));
}

void TestRandomNumbers::seedsDifferFromRunToRun()
{
    SystemRandomNumbers first;
    first.Randomize();
    SystemRandomNumbers second;
    second.Randomize();
    bool differ = false;
    for (int i = 0; i < 4 && !differ; ++i)
        differ = first.Rnd() != second.Rnd();
    QVERIFY(differ);
}

QTEST_GUILESS_MAIN(TestRandomNumbers)
#include "tst_randomnumbers.moc"
