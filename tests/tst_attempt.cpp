// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "applicationsetup.h"
#include "formfixture.h"
#include "messagetexts.h"
#include "verdicttable.h"

#include <QLocale>
#include <QTest>

#include <cmath>

namespace {

constexpr std::uint64_t NsPerMs = 1'000'000;
const QString VerdictTitle = QString::fromUtf8(MessageTexts::VerdictTitle);

// Scripts the counter so that the next stimulus and reaction measure
// exactly `runTimeNs` (calibration 0, nanosecond counter).
void scriptRunTime(FakeCounter &counter, std::uint64_t runTimeNs)
{
    const std::uint64_t base = 1'000'000'000'000;
    counter.readings = {base, base, base, base + runTimeNs};
}

} // namespace

class TestAttempt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void armingDrawsTheDelay_data();
    void armingDrawsTheDelay();
    void measurement_data();
    void measurement();
    void pressSequences_data();
    void pressSequences();
    void rearmingResetsTheAttempt();
    void windowWhileTheVerdictIsOpen();
    void stopwatchIsCreatedOnceAndReused();
    void quitEndsFromEveryState_data();
    void quitEndsFromEveryState();
    void zeroFrequencyIsAFatalError();
    void keyboardUserReactsWithSpace();
};

void TestAttempt::initTestCase()
{
    ApplicationSetup::installFonts();
}

void TestAttempt::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestAttempt::armingDrawsTheDelay_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("delayMs");
    QTest::newRow("r = 0") << 0.0f << 1000;
    QTest::newRow("r = 0.5") << 0.5f << 3500;
    // In single precision 0.99999994 * 5000 + 1000 rounds up to 6000.
    QTest::newRow("largest r below 1") << std::nextafter(1.0f, 0.0f) << 5999;
    QTest::newRow("r = 0.0002 is not raised") << 0.0002f << 1000;
}

void TestAttempt::armingDrawsTheDelay()
{
    QFETCH(float, r);
    QFETCH(int, delayMs);
    FormFixture f;
    f.fakes.random.values = {r};
    QTest::mouseClick(f.button("Command1"), Qt::LeftButton);

    QCOMPARE(f.fakes.random.draws, 1);
    QTimer *timer1 = f.timer("Timer1");
    QVERIFY(timer1->isActive());
    QCOMPARE(timer1->interval(), delayMs);
    QVERIFY(!f.button("Command1")->isEnabled());
    QVERIFY(f.button("Command3")->isEnabled());
    QVERIFY(f.label("Label1")->isHidden());
    QVERIFY(f.label("Label3")->isHidden());
    QVERIFY(f.shape()->isHidden());
    QCOMPARE(f.fakes.counter.frequencyQueries, 0); // no stopwatch yet
}

void TestAttempt::measurement_data()
{
    QTest::addColumn<quint64>("runTimeNs");
    QTest::addColumn<float>("verdictR");
    QTest::addColumn<int>("verdictIndex");
    QTest::addColumn<int>("verdictDraws");
    QTest::addColumn<QString>("shown");

    const float belowOne = std::nextafter(1.0f, 0.0f);
    QTest::newRow("below 50 ms is negative, row 0")
        << quint64(30 * NsPerMs) << 0.0f << 0 << 0 << "-0.020 Sekunden";
    QTest::newRow("exactly 50 ms is zero, row 0")
        << quint64(50 * NsPerMs) << 0.0f << 0 << 0 << "0.000 Sekunden";
    QTest::newRow("t = 0.1f opens the first band, low row")
        << quint64(150 * NsPerMs) << 0.0f << 1 << 1 << "0.100 Sekunden";
    QTest::newRow("t = 0.1f, high row")
        << quint64(150 * NsPerMs) << belowOne << 2 << 1 << "0.100 Sekunden";
    QTest::newRow("just below 0.1 s is row 0")
        << quint64(149'999 * 1000) << 0.5f << 0 << 0 << "0.100 Sekunden";
    // 99.999997 ms round to 100.0f before the division; dividing first
    // would give 0.099999994, row 0.
    QTest::newRow("149.999997 ms round to 100 ms first, t = 0.1f")
        << quint64(149'999'997) << 0.0f << 1 << 1 << "0.100 Sekunden";
    QTest::newRow("0.35 s, low row")
        << quint64(400 * NsPerMs) << 0.25f << 5 << 1 << "0.350 Sekunden";
    QTest::newRow("0.55 s, high row")
        << quint64(600 * NsPerMs) << 0.75f << 10 << 1 << "0.550 Sekunden";
    // 700 ms rounds to 0.7f = 0.699999988, which lies in the band from 0.7f.
    QTest::newRow("750 ms is t = 0.7f, band 13-14, low")
        << quint64(750 * NsPerMs) << 0.0f << 13 << 1 << "0.700 Sekunden";
    QTest::newRow("750 ms is t = 0.7f, band 13-14, high")
        << quint64(750 * NsPerMs) << belowOne << 14 << 1 << "0.700 Sekunden";
    QTest::newRow("749.99999 ms rounds to t = 0.7f too")
        << quint64(749'999'990) << 0.0f << 13 << 1 << "0.700 Sekunden";
    QTest::newRow("t = 0.8f is row 15")
        << quint64(850 * NsPerMs) << 0.0f << 15 << 0 << "0.800 Sekunden";
    QTest::newRow("a very long time is row 15, no group separator")
        << quint64(1'234'550 * NsPerMs) << 0.0f << 15 << 0 << "1234.500 Sekunden";
}

void TestAttempt::measurement()
{
    QFETCH(quint64, runTimeNs);
    QFETCH(float, verdictR);
    QFETCH(int, verdictIndex);
    QFETCH(int, verdictDraws);
    QFETCH(QString, shown);

    FormFixture f;
    f.fakes.random.values = {0.0f, verdictR};
    scriptRunTime(f.fakes.counter, runTimeNs);
    QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
    f.form->Timer1_Timer();
    QTest::mouseClick(f.button("Command3"), Qt::LeftButton);

    QCOMPARE(f.fakes.random.draws, 1 + verdictDraws);
    QCOMPARE(f.label("Label3")->text(), shown);
    QCOMPARE(f.form->verdictIndex(), verdictIndex);
    const QString message = QString::fromUtf8(VerdictTable::Messages[verdictIndex]);
    QCOMPARE(f.form->verdictText(), message);
    QCOMPARE(f.fakes.messageBoxes.shown.size(), 1);
    const ShownMessage box = f.fakes.messageBoxes.shown.first();
    QCOMPARE(box.title, VerdictTitle);
    QCOMPARE(box.prompt, message);
    QCOMPARE(box.style, MessageBoxStyle::ExclamationOk);
    QVERIFY(!f.fakes.lifetime.hasEnded());
}

void TestAttempt::pressSequences_data()
{
    // a = arm, p = press the reaction button, t = Timer1 tick.
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("pressCount");
    QTest::addColumn<int>("measurements");
    QTest::addColumn<bool>("ended");

    QTest::newRow("one early press only counts") << "ap" << 1 << 0 << false;
    QTest::newRow("two early presses only count") << "app" << 2 << 0 << false;
    QTest::newRow("third early press ends") << "appp" << 3 << 0 << true;
    QTest::newRow("two early, then on the circle, measures") << "apptp" << 3 << 1 << false;
    QTest::newRow("one early, then on the circle, measures") << "aptp" << 2 << 1 << false;
    QTest::newRow("re-arming resets the count") << "apptpapp" << 2 << 1 << false;
    QTest::newRow("guard fires again after re-arming") << "aptpappp" << 3 << 1 << true;
    QTest::newRow("many attempts") << "atpatpatp" << 1 << 3 << false;
}

void TestAttempt::pressSequences()
{
    QFETCH(QString, events);
    QFETCH(int, pressCount);
    QFETCH(int, measurements);
    QFETCH(bool, ended);

    FormFixture f;
    f.fakes.counter.frequency = 1000;
    for (QChar event : events) {
        if (event == u'a')
            QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
        else if (event == u'p')
            QTest::mouseClick(f.button("Command3"), Qt::LeftButton);
        else if (event == u't')
            f.form->Timer1_Timer();
    }

    QCOMPARE(f.form->pressCount(), pressCount);
    QCOMPARE(f.fakes.lifetime.endCalls, ended ? 1 : 0);
    int verdicts = 0;
    for (const ShownMessage &box : f.fakes.messageBoxes.shown)
        verdicts += box.title == VerdictTitle;
    QCOMPARE(verdicts, measurements);
    if (ended) {
        const ShownMessage last = f.fakes.messageBoxes.shown.last();
        QCOMPARE(last.title, QString::fromUtf8(MessageTexts::EarlyPressTitle));
        QCOMPARE(last.prompt, QString::fromUtf8(MessageTexts::EarlyPressPrompt));
        QCOMPARE(last.style, MessageBoxStyle::ExclamationOk);
    } else {
        // Early presses change nothing that the user can see.
        const bool armed = !f.button("Command1")->isEnabled();
        QCOMPARE(f.button("Command3")->isEnabled(), armed);
        QCOMPARE(f.label("Label1")->isHidden(), armed);
        QCOMPARE(f.label("Label3")->isHidden(), armed);
        QVERIFY(f.shape()->isHidden());
    }
}

void TestAttempt::rearmingResetsTheAttempt()
{
    FormFixture f;
    scriptRunTime(f.fakes.counter, 400 * NsPerMs);
    QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
    f.form->Timer1_Timer();
    QTest::mouseClick(f.button("Command3"), Qt::LeftButton);
    QCOMPARE(f.form->reactionTime(), 0.35f);
    QVERIFY(!f.label("Label1")->isHidden());
    QVERIFY(!f.label("Label3")->isHidden());

    QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
    QCOMPARE(f.form->pressCount(), 0);
    QCOMPARE(f.form->reactionTime(), 0.0f);
    QVERIFY(f.label("Label1")->isHidden());
    QVERIFY(f.label("Label3")->isHidden());
    QCOMPARE(f.label("Label3")->text(), QStringLiteral("0.350 Sekunden"));
}

void TestAttempt::windowWhileTheVerdictIsOpen()
{
    FormFixture f;
    scriptRunTime(f.fakes.counter, 300 * NsPerMs);
    bool looked = false;
    f.fakes.messageBoxes.whileOpen = [&](const ShownMessage &) {
        looked = true;
        QVERIFY(!f.label("Label1")->isHidden());
        QVERIFY(!f.shape()->isHidden());
        QVERIFY(f.label("Label3")->isHidden());
        QCOMPARE(f.label("Label3")->text(), QStringLiteral("0.250 Sekunden"));
        QVERIFY(f.button("Command3")->isEnabled());
        QVERIFY(!f.button("Command1")->isEnabled());
    };
    QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
    f.form->Timer1_Timer();
    QVERIFY(!f.shape()->isHidden());
    QVERIFY(!f.timer("Timer1")->isActive());
    QTest::mouseClick(f.button("Command3"), Qt::LeftButton);
    QVERIFY(looked);

    QVERIFY(!f.label("Label3")->isHidden());
    QVERIFY(f.shape()->isHidden());
    QVERIFY(!f.button("Command3")->isEnabled());
    QVERIFY(f.button("Command1")->isEnabled());
    QCOMPARE(f.form->focusWidget(), f.button("Command1"));
}

// A stopwatch asks the counter for its frequency once, when it is created.
void TestAttempt::stopwatchIsCreatedOnceAndReused()
{
    FormFixture f;
    const int &created = f.fakes.counter.frequencyQueries;
    QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
    QCOMPARE(created, 0);
    f.form->Timer1_Timer();
    QCOMPARE(created, 1);
    QTest::mouseClick(f.button("Command3"), Qt::LeftButton);
    QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
    f.form->Timer1_Timer();
    QTest::mouseClick(f.button("Command3"), Qt::LeftButton);
    QCOMPARE(created, 1);
    QCOMPARE(f.fakes.messageBoxes.shown.size(), 2);
}

void TestAttempt::quitEndsFromEveryState_data()
{
    QTest::addColumn<QString>("events");
    QTest::newRow("idle") << "";
    QTest::newRow("armed") << "a";
    QTest::newRow("armed after early presses") << "app";
    QTest::newRow("stimulus") << "at";
    QTest::newRow("result") << "atp";
}

void TestAttempt::quitEndsFromEveryState()
{
    QFETCH(QString, events);
    FormFixture f;
    for (QChar event : events) {
        if (event == u'a')
            QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
        else if (event == u'p')
            QTest::mouseClick(f.button("Command3"), Qt::LeftButton);
        else
            f.form->Timer1_Timer();
    }
    const qsizetype boxes = f.fakes.messageBoxes.shown.size();
    QTest::mouseClick(f.button("Command2"), Qt::LeftButton);
    QCOMPARE(f.fakes.lifetime.endCalls, 1);
    QCOMPARE(f.fakes.messageBoxes.shown.size(), boxes); // no confirmation
}

// A counter without a frequency makes the stopwatch divide by zero as soon
// as it calibrates: the program ends there with the run-time error.
void TestAttempt::zeroFrequencyIsAFatalError()
{
    FormFixture f;
    f.fakes.counter.frequency = 0;
    QTest::mouseClick(f.button("Command1"), Qt::LeftButton);
    QVERIFY(f.fakes.lifetime.fatalErrors.isEmpty());
    f.form->Timer1_Timer();
    QCOMPARE(f.fakes.lifetime.fatalErrors.size(), 1);
    QVERIFY(f.fakes.lifetime.fatalErrors.first().contains(QStringLiteral("Division durch Null")));
    QCOMPARE(f.fakes.lifetime.endCalls, 0);
    QVERIFY(f.fakes.messageBoxes.shown.isEmpty());
}

void TestAttempt::keyboardUserReactsWithSpace()
{
    FormFixture f;
    scriptRunTime(f.fakes.counter, 250 * NsPerMs);
    f.form->show();
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QCOMPARE(QApplication::focusWidget(), f.button("Command1"));
    // Disabling the focused button must not hand the focus on to the next
    // control, "Kein Bock mehr", not even for a moment.
    QList<QWidget *> focused;
    const QObject recording;
    connect(qApp, &QApplication::focusChanged, &recording,
            [&](QWidget *, QWidget *now) { focused.append(now); });

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), f.button("Command3"));
    f.form->Timer1_Timer();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(!f.fakes.lifetime.hasEnded());
    QCOMPARE(f.label("Label3")->text(), QStringLiteral("0.200 Sekunden"));
    QCOMPARE(QApplication::focusWidget(), f.button("Command1"));
    const QList<QWidget *> expected{f.button("Command3"), f.button("Command1")};
    QCOMPARE(focused, expected);
}

QTEST_MAIN(TestAttempt)
#include "tst_attempt.moc"
