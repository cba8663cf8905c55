// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The line for a start where Qt opened no window: the display asked for,
// as Qt reads the options and the environment, and what to do.

#include "applicationsetup.h"

#include <QTest>

class TestStartupFailure : public QObject
{
    Q_OBJECT

private slots:
    void namesTheDisplayAskedFor_data();
    void namesTheDisplayAskedFor();
};

void TestStartupFailure::namesTheDisplayAskedFor_data()
{
    // The variables and arguments of the start, as a shell would take
    // them; the words the line says, and with "!" those it does not.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("words");
    const char *rows[][3] = {
        {"no display", "",
         "(gefragt: keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY noch -display)|"
         "xvfb-run -a ./k;|!XAUTHORITY"},
        {"X by DISPLAY", "DISPLAY=:5",
         "(gefragt: X-Anzeige DISPLAY=:5)|XAUTHORITY|xvfb-run -a ./k;|!Wayland"},
        {"the last -display beats DISPLAY", "DISPLAY=:5 -display :6 --display :7",
         "(gefragt: X-Anzeige -display :7)|XAUTHORITY|!:5|!:6"},
        {"Wayland, then an unnamed X", "WAYLAND_DISPLAY=w-1",
         "(gefragt: Wayland-Anzeige WAYLAND_DISPLAY=w-1, keine X-Anzeige|!XAUTHORITY"},
        {"Wayland forced beside DISPLAY", "QT_QPA_PLATFORM=wayland DISPLAY=:5",
         "(gefragt: Plattform „wayland“ mit QT_QPA_PLATFORM, Wayland-Anzeige wayland-0)|"
         "xvfb-run -a ./k -platform xcb;|!X-Anzeige|!XAUTHORITY"},
        {"the last -platform beats QT_QPA_PLATFORM",
         "QT_QPA_PLATFORM=wayland DISPLAY=:5 -platform wayland -platform xcb",
         "(gefragt: Plattform „xcb“ mit -platform, X-Anzeige DISPLAY=:5)|XAUTHORITY|xvfb-run -a "
         "./k;|!Wayland"},
        {"a platform without a display", "DISPLAY=:5 WAYLAND_DISPLAY=w-1 -platform eglfs",
         "(gefragt: Plattform „eglfs“ mit -platform)|-platform xcb;|!XAUTHORITY"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2]);
}

void TestStartupFailure::namesTheDisplayAskedFor()
{
    QFETCH(QString, start);
    QFETCH(QString, words);

    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        qunsetenv(name);
    QByteArrayList arguments{"./k"};
    for (const QByteArray &word : start.toUtf8().split(' ')) {
        if (word.contains('='))
            qputenv(word.left(word.indexOf('=')), word.mid(word.indexOf('=') + 1));
        else if (!word.isEmpty())
            arguments << word;
    }
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());

    const QString line = QString::fromStdString(
        ApplicationSetup::startFailureLine(int(argv.size()), argv.data()));
    // Whatever the cause, one line that points to Qt's plugin diagnostics.
    QVERIFY2(line.contains(u"QT_DEBUG_PLUGINS=1") && !line.contains(u'\n'), qPrintable(line));
    for (const QString &word : words.split(u'|')) {
        QVERIFY2(word.startsWith(u'!') ? !line.contains(word.mid(1)) : line.contains(word),
                 qPrintable(word + QLatin1String(": ") + line));
    }
}

QTEST_APPLESS_MAIN(TestStartupFailure)
#include "tst_startupfailure.moc"
