// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as shipped, with probes for the robot: the counter readings
// ("read <ns>", CLOCK_MONOTONIC), the screen positions the robot needs and
// the caption of Label3 when it shows are written to standard output. The
// readings are kept in memory and written when a message box shows, after
// the measurement.
// Only the counter is wrapped; the window, its timers, the message boxes
// and the event loop are the real ones.

#include "applicationsetup.h"
#include "form1.h"
#include "probes.h"
#include "systemperformancecounter.h"
#include "systemservices.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <unistd.h>

namespace {

void say(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    if (write(STDOUT_FILENO, bytes.constData(), static_cast<std::size_t>(bytes.size())) < 0)
        std::_Exit(2);
}

QString centre(const char *what, const QWidget *widget)
{
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    return QStringLiteral("at %1 %2 %3").arg(QLatin1String(what)).arg(at.x()).arg(at.y());
}

// Reports the verdict box's OK button and Label3's caption as they show,
// and when the reaction button's press and release reached the window (kept
// in memory until the box shows, so that nothing is written in between).
class ShowWatcher : public QObject
{
public:
    const QLabel *label3 = nullptr;
    const QObject *command3 = nullptr;
    const RecordingCounter *counter = nullptr;
    int readingsWritten = 0;
    std::uint64_t pressNs = 0;
    std::uint64_t releaseNs = 0;
    std::uint64_t pressedSignalNs = 0;
    std::uint64_t releasedSignalNs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == command3) {
            if (event->type() == QEvent::MouseButtonPress)
                pressNs = SystemPerformanceCounter::nowNs();
            else if (event->type() == QEvent::MouseButtonRelease)
                releaseNs = SystemPerformanceCounter::nowNs();
        }
        if (event->type() == QEvent::Show) {
            if (watched == label3) {
                say(QStringLiteral("label3 ") + label3->text());
            } else if (auto *box = qobject_cast<QMessageBox *>(watched)) {
                for (; readingsWritten < counter->readCount; ++readingsWritten)
                    say(QStringLiteral("read %1").arg(counter->reading(readingsWritten)));
                say(QStringLiteral("press %1 release %2 pressed %3 released %4")
                        .arg(pressNs)
                        .arg(releaseNs)
                        .arg(pressedSignalNs)
                        .arg(releasedSignalNs));
                QTimer::singleShot(0, box, [box] {
                    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                        say(centre("ok", ok));
                });
            }
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QApplication> application = ApplicationSetup::createApplication(argc,
                                                                                          argv);
    ApplicationSetup::configure();

    SystemServices system;
    const Services real = system.services();
    RecordingCounter counter(real.counter);
    Services services{counter,    real.random,  real.messageBoxes, real.lifetime,
                      real.shell, real.pointer, real.screen};
    Form1 form(services);

    ShowWatcher watcher;
    watcher.label3 = form.findChild<QLabel *>(QStringLiteral("Label3"));
    watcher.counter = &counter;
    auto *command3 = form.findChild<QPushButton *>(QStringLiteral("Command3"));
    watcher.command3 = command3;
    // The button emits pressed on the press and released on the release
    // right before clicked; its look is only queued by then, so these mark
    // the end of the button's own handling, not of a repaint.
    QObject::connect(command3, &QPushButton::pressed, &watcher,
                     [&watcher] { watcher.pressedSignalNs = SystemPerformanceCounter::nowNs(); });
    QObject::connect(command3, &QPushButton::released, &watcher,
                     [&watcher] { watcher.releasedSignalNs = SystemPerformanceCounter::nowNs(); });
    application->installEventFilter(&watcher);

    ApplicationSetup::showMainWindow(form, system.messageBoxes());
    QTimer::singleShot(300, &form, [&form] {
        say(centre("Command1", form.findChild<QWidget *>(QStringLiteral("Command1"))));
        say(centre("Command3", form.findChild<QWidget *>(QStringLiteral("Command3"))));
        say(centre("Shape1", form.findChild<QWidget *>(QStringLiteral("Shape1"))));
        say(QStringLiteral("ready"));
    });
    return application->exec();
}
