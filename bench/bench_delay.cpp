// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The random delay: how late after the requested interval Timer1's tick
// shows the circle. Runs the real Form1 in a real event loop (any Qt
// platform; the benchmark script uses offscreen and Xvfb) with a recording
// counter; the circle is shown right before the tick's first reading.
//
// Output, one line per attempt:
//   delay <requested ms> <late by, us> <of which the tick's own work, us>
// The second figure is the time from the timer event's delivery to the
// first reading, i.e. what Timer1_Timer spends before the circle counts as
// shown.

#include "fakeservices.h"
#include "form1.h"
#include "probes.h"
#include "systemperformancecounter.h"
#include "systemservices.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    SystemServices system;
    const Services real = system.services();
    RecordingCounter counter(real.counter);
    FakeServices fakes;
    Services services{counter,    fakes.random, fakes.messageBoxes, fakes.lifetime,
                      real.shell, real.pointer, real.screen};
    Form1 form(services);
    form.show();

    // Short delays keep the run short; the timer's accuracy does not depend
    // on the length, the clock's drift is measured by bench_accuracy.
    std::vector<int> delays{1000, 1001, 1017, 1050, 1123, 1199, 1250, 1313, 1333, 1400,
                            1499, 1500, 1555, 1618, 1700, 1789, 1850, 1901, 1999, 2000};
    if (argc > 1)
        delays.resize(std::min<std::size_t>(delays.size(), std::strtoul(argv[1], nullptr, 10)));

    std::size_t next = 0;
    std::uint64_t armedNs = 0;
    int readsAtArm = 0;
    int failures = 0;
    QTimer *timer1 = form.findChild<QTimer *>(QStringLiteral("Timer1"));

    // Stamps the moment the toolkit delivers the timer event.
    struct TickStamp : QObject
    {
        std::uint64_t ns = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Timer)
                ns = SystemPerformanceCounter::nowNs();
            return false;
        }
    } tickStamp;
    timer1->installEventFilter(&tickStamp);

    std::function<void()> arm = [&] {
        if (next == delays.size()) {
            QApplication::quit();
            return;
        }
        const int delay = delays[next];
        fakes.random.next = (static_cast<float>(delay - 1000) + 0.5f) / 5000.0f;
        readsAtArm = counter.readCount;
        armedNs = SystemPerformanceCounter::nowNs();
        form.Command1_Click();
        if (timer1->interval() != delay) {
            std::fprintf(stderr, "bench_delay: interval %d instead of %d\n", timer1->interval(),
                         delay);
            ++failures;
        }
    };
    QObject::connect(timer1, &QTimer::timeout, &form, [&] {
        // Connected after Form1's own handler, so the tick has run.
        if (counter.readCount != readsAtArm + 3) {
            ++failures;
            return;
        }
        const std::uint64_t shownNs = counter.reading(readsAtArm);
        const double lateUs = (static_cast<double>(shownNs) - static_cast<double>(armedNs)) / 1e3
                              - delays[next] * 1e3;
        const double tickWorkUs = (static_cast<double>(shownNs) - static_cast<double>(tickStamp.ns))
                                  / 1e3;
        std::printf("delay %d %.1f %.1f\n", delays[next], lateUs, tickWorkUs);
        std::fflush(stdout);
        form.Command3_Click();
        ++next;
        // A little idle time between attempts, as a user would leave.
        QTimer::singleShot(50, &form, arm);
    });
    QTimer::singleShot(200, &form, arm);
    application.exec();
    return failures == 0 ? 0 : 1;
}
