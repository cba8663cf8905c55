// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// Ten thousand attempts in one window on stand-in services: every attempt
// still measures what the counter says, and the heap does not grow.

#include "fakeservices.h"
#include "form1.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <malloc.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes the program holds on the heap right now.
std::size_t heapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's allocator replaces malloc's, and mallinfo2 knows
    // nothing of it.
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void tenThousandAttempts();

private:
    // One attempt: arm, a few early presses and link events depending on the
    // attempt's number, the stimulus, the reaction after `reactionNs`.
    void attempt(int number, std::uint64_t reactionNs);

    FakeServices m_fakes;
    FakeCounter &m_clock = m_fakes.counter;
    std::unique_ptr<Form1> m_form;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command3 = nullptr;
    QTimer *m_timer1 = nullptr;
    QLabel *m_label3 = nullptr;
    QWidget *m_label5 = nullptr;
};

void TestSoak::attempt(int number, std::uint64_t reactionNs)
{
    m_clock.advance(1'000'000);
    m_fakes.random.next = static_cast<float>(number % 1000) / 1000.0f;
    QTest::mouseClick(m_command1, Qt::LeftButton);
    QVERIFY(m_timer1->isActive());

    for (int early = 0; early < number % 3; ++early)
        QTest::mouseClick(m_command3, Qt::LeftButton);
    if (number % 7 == 0) {
        QTest::mouseClick(m_label5, Qt::LeftButton);
        m_form->Label5_MouseMove();
        m_form->Timer2_Timer();
        m_form->Label5_PointerLeft();
    }

    m_clock.advance(static_cast<std::uint64_t>(m_timer1->interval()) * 1'000'000);
    m_form->Timer1_Timer();
    QVERIFY(!m_timer1->isActive());
    const std::uint64_t startNs = m_clock.nowNs + 2 * m_clock.readStepNs;
    m_clock.advance(reactionNs);
    QTest::mouseClick(m_command3, Qt::LeftButton);

    const double expectedMs = (static_cast<double>(m_clock.nowNs) - static_cast<double>(startNs))
                                  / 1e6
                              - static_cast<double>(m_clock.readStepNs) / 1e6;
    const double expectedSeconds = (expectedMs - 50.0) / 1000.0;
    QCOMPARE(m_fakes.lifetime.endCalls, 0);
    QVERIFY2(std::abs(static_cast<double>(m_form->reactionTime()) - expectedSeconds) < 1e-6,
             qPrintable(QStringLiteral("attempt %1: %2 s instead of %3 s")
                            .arg(number)
                            .arg(static_cast<double>(m_form->reactionTime()))
                            .arg(expectedSeconds)));
    QVERIFY(!m_label3->isHidden());
    QVERIFY(m_command1->isEnabled());
    QVERIFY(!m_command3->isEnabled());
    QCOMPARE(m_fakes.messageBoxes.shown.size(), 1);
    QCOMPARE(m_fakes.messageBoxes.shown.first().prompt, m_form->verdictText());

    // The stand-ins record everything; forget it so that only the window's
    // own memory is measured.
    m_fakes.messageBoxes.shown.clear();
    m_fakes.shell.calls.clear();
    QCoreApplication::processEvents();
}

void TestSoak::tenThousandAttempts()
{
    m_clock.nowNs = 1'000'000'000;
    m_clock.readStepNs = 100'000;
    m_form = std::make_unique<Form1>(m_fakes.services());
    m_command1 = m_form->findChild<QPushButton *>(QStringLiteral("Command1"));
    m_command3 = m_form->findChild<QPushButton *>(QStringLiteral("Command3"));
    m_timer1 = m_form->findChild<QTimer *>(QStringLiteral("Timer1"));
    m_label3 = m_form->findChild<QLabel *>(QStringLiteral("Label3"));
    m_label5 = m_form->findChild<QWidget *>(QStringLiteral("Label5"));
    m_form->show();

    constexpr int WarmUp = 500;
    constexpr int Attempts = 10'000;
    // Reactions from 0.3 ms to 1 s: all verdict bands and some negative times.
    auto reactionNs = [](int number) {
        return static_cast<std::uint64_t>(number % 1000) * 1'000'000 + 307'919;
    };

    std::size_t heapAfterWarmUp = 0;
    for (int number = 0; number < Attempts; ++number) {
        attempt(number, reactionNs(number));
        if (QTest::currentTestFailed())
            return;
        if (number + 1 == WarmUp)
            heapAfterWarmUp = heapInUse();
    }
    const std::size_t heapAtEnd = heapInUse();
    const long long growth = static_cast<long long>(heapAtEnd)
                             - static_cast<long long>(heapAfterWarmUp);
    qInfo("heap in use after %d attempts: %zu bytes, after %d: %zu bytes (%+lld)", WarmUp,
          heapAfterWarmUp, Attempts, heapAtEnd, growth);
    QVERIFY(heapAfterWarmUp > 0);
    // A leak of a single small object per attempt would add 9500 x 16 bytes.
    QVERIFY2(growth < 16 * 1024,
             qPrintable(QStringLiteral("the heap grew by %1 bytes").arg(growth)));
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
