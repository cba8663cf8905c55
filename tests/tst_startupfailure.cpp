// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The line for a start where Qt opened no window: the display asked for,
// as Qt reads the options and the environment, and what to do.

#include "startupfailure.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestStartupFailure : public QObject
{
    Q_OBJECT

private slots:
    void namesTheDisplayAskedFor_data();
    void namesTheDisplayAskedFor();
};

void TestStartupFailure::namesTheDisplayAskedFor_data()
{
    // Arguments and variables apart by spaces; words said and unsaid by "|".
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("unsaid");

    QTest::newRow("no display") << u""_s << u""_s
                                << u"(gefragt: keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY "
                                   "noch -display)|xvfb-run -a ./k;"_s
                                << u"XAUTHORITY"_s;
    QTest::newRow("X by DISPLAY") << u""_s << u"DISPLAY=:5"_s
                                  << u"(gefragt: X-Anzeige DISPLAY=:5)|XAUTHORITY"_s
                                  << u"Wayland|-platform xcb"_s;
    QTest::newRow("the last -display beats DISPLAY")
        << u"-display :6 --display :7"_s << u"DISPLAY=:5"_s
        << u"(gefragt: X-Anzeige -display :7)|XAUTHORITY"_s << u":5|:6"_s;
    QTest::newRow("Wayland, then an unnamed X")
        << u""_s << u"WAYLAND_DISPLAY=wayland-1"_s
        << u"Wayland-Anzeige WAYLAND_DISPLAY=wayland-1, keine X-Anzeige"_s
        << u"XAUTHORITY|-platform xcb"_s;
    QTest::newRow("Wayland forced beside DISPLAY")
        << u""_s << u"QT_QPA_PLATFORM=wayland DISPLAY=:5"_s
        << u"Plattform „wayland“ mit QT_QPA_PLATFORM, Wayland-Anzeige wayland-0)|"
           "xvfb-run -a ./k -platform xcb;"_s
        << u"X-Anzeige|XAUTHORITY"_s;
    QTest::newRow("the last -platform beats QT_QPA_PLATFORM")
        << u"-platform wayland -platform xcb"_s << u"QT_QPA_PLATFORM=wayland DISPLAY=:5"_s
        << u"Plattform „xcb“ mit -platform, X-Anzeige DISPLAY=:5)|XAUTHORITY"_s
        << u"Wayland|-platform xcb"_s;
    QTest::newRow("a platform without a display")
        << u"-platform eglfs"_s << u"DISPLAY=:5 WAYLAND_DISPLAY=wayland-1"_s
        << u"(gefragt: Plattform „eglfs“ mit -platform)|-platform xcb;"_s
        << u"-Anzeige|XAUTHORITY"_s;
}

void TestStartupFailure::namesTheDisplayAskedFor()
{
    QFETCH(QString, arguments);
    QFETCH(QString, environment);
    QFETCH(QString, said);
    QFETCH(QString, unsaid);

    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        qunsetenv(name);
    for (const QString &setting : environment.split(u' ', Qt::SkipEmptyParts))
        qputenv(setting.section(u'=', 0, 0).toUtf8(), setting.section(u'=', 1).toUtf8());
    QByteArrayList texts = (u"./k "_s + arguments).trimmed().toUtf8().split(' ');
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());

    const QString line = QString::fromStdString(
        StartupFailure::line(StartupFailure::request(int(argv.size()), argv.data())));
    QVERIFY2(line.startsWith(u"klappomatikus: Qt konnte kein Fenster öffnen (gefragt: ")
                 && line.endsWith(u"zeigt QT_DEBUG_PLUGINS=1") && !line.contains(u'\n'),
             qPrintable(line));
    for (const QString &word : said.split(u'|'))
        QVERIFY2(line.contains(word), qPrintable(line));
    for (const QString &word : unsaid.split(u'|'))
        QVERIFY2(!line.contains(word), qPrintable(line));
}

QTEST_APPLESS_MAIN(TestStartupFailure)
#include "tst_startupfailure.moc"
