// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "displaycheck.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using DisplayCheck::Environment;
using DisplayCheck::Server;

namespace {

// A listening socket, closed with the object.
struct Listener
{
    int fd = -1;
    ~Listener()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool listenLocal(Listener &listener, const QByteArray &path)
{
    listener.fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), path.size());
    return ::bind(listener.fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
           && ::listen(listener.fd, 1) == 0;
}

} // namespace

// The check stands in for Qt's own attempt, which aborts the program when
// it fails: it must ask the displays Qt would try, and only those, and its
// line must name what could not be reached.
class TestDisplayCheck : public QObject
{
    Q_OBJECT

private slots:
    void messageNamesTheProgramAsCalled_data();
    void messageNamesTheProgramAsCalled();
    void displaysQtWouldTry_data();
    void displaysQtWouldTry();
    void platformOnTheCommandLineWins();
    void xAddresses_data();
    void xAddresses();
    void reachesAListeningWaylandSocket();
};

void TestDisplayCheck::messageNamesTheProgramAsCalled_data()
{
    // clang-format off
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("display");

    QTest::newRow("from the build tree") << "build/app/klappomatikus" << "klappomatikus" << "";
    QTest::newRow("installed") << "/usr/bin/klappomatikus" << "klappomatikus" << "";
    QTest::newRow("found on the path") << "klappomatikus" << "klappomatikus" << ":9";
    QTest::newRow("probe build") << "./klappomatikus_probe" << "klappomatikus_probe" << ":9";
    // clang-format on
}

void TestDisplayCheck::messageNamesTheProgramAsCalled()
{
    QFETCH(QString, program);
    QFETCH(QString, name);
    QFETCH(QString, display);

    Environment environment;
    environment.display = display.toStdString();
    const QString message = QString::fromStdString(
        DisplayCheck::problem(environment, program.toStdString(), [](Server) { return false; }));
    QVERIFY2(message.startsWith(name + QStringLiteral(": ")), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral(" xvfb-run -a ") + program), qPrintable(message));
    QCOMPARE(message.count(QStringLiteral("xvfb-run")), 1);
    QVERIFY(!message.contains(u'\n'));
}

void TestDisplayCheck::displaysQtWouldTry_data()
{
    // clang-format off
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("sessionType");
    QTest::addColumn<QString>("running");  // "x", "w": the servers that answer
    QTest::addColumn<QString>("asked");    // the servers asked, in order
    QTest::addColumn<QString>("problem");  // a part of the line; empty: starts

    QTest::newRow("nothing named") << "" << "" << "" << "" << "xw" << "" << "weder DISPLAY noch";
    QTest::newRow("X running") << "" << ":0" << "" << "" << "x" << "x" << "";
    QTest::newRow("X gone") << "" << ":77" << "" << "" << "w" << "x"
                            << ": die grafische Anzeige DISPLAY=:77 ist nicht erreichbar; ";
    QTest::newRow("Wayland gone, no DISPLAY") << "" << "" << "wl-9" << "" << "x" << "w"
                                              << "Anzeige WAYLAND_DISPLAY=wl-9 ist nicht";
    QTest::newRow("Wayland and X gone") << "" << ":77" << "wl-9" << "" << "" << "wx"
                                        << "Anzeigen WAYLAND_DISPLAY=wl-9 und DISPLAY=:77 sind";
    QTest::newRow("Wayland gone, X running") << "" << ":0" << "wl-9" << "" << "x" << "wx" << "";
    QTest::newRow("Wayland running, X gone") << "" << ":77" << "wayland-0" << "" << "w" << "w"
                                             << "";
    QTest::newRow("Wayland session without a socket name")
        << "" << ":77" << "" << "wayland" << "w" << "x" << "DISPLAY=:77 ist nicht";
    QTest::newRow("xcb chosen: Wayland not asked") << "xcb" << ":77" << "wayland-0" << "" << "w"
                                                   << "x" << "DISPLAY=:77 ist nicht";
    QTest::newRow("xcb with options, nothing named") << "xcb:nomitshm" << "" << "" << "" << "x"
                                                     << "" << "weder DISPLAY noch";
    QTest::newRow("a list of platforms") << "wayland-egl;xcb" << ":0" << "wl-9" << "" << "x"
                                         << "wx" << "";
    QTest::newRow("offscreen needs no display") << "offscreen" << "" << "" << "" << "" << "" << "";
    QTest::newRow("a list with another platform") << "xcb;vnc" << ":77" << "" << "" << "" << ""
                                                  << "";
    // clang-format on
}

void TestDisplayCheck::displaysQtWouldTry()
{
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, sessionType);
    QFETCH(QString, running);
    QFETCH(QString, asked);
    QFETCH(QString, problem);

    const Environment environment{platform.toStdString(), display.toStdString(),
                                  wayland.toStdString(), "/run/user/1000",
                                  sessionType.toStdString()};
    QString askedInOrder;
    const QString message = QString::fromStdString(
        DisplayCheck::problem(environment, "klappomatikus", [&](Server server) {
            const QChar letter = server == Server::X11 ? u'x' : u'w';
            askedInOrder += letter;
            return running.contains(letter);
        }));
    QCOMPARE(askedInOrder, asked);
    if (problem.isEmpty())
        QVERIFY2(message.isEmpty(), qPrintable(message));
    else
        QVERIFY2(message.contains(problem), qPrintable(message));
}

void TestDisplayCheck::platformOnTheCommandLineWins()
{
    char program[] = "klappomatikus";
    char option[] = "-platform";
    char offscreen[] = "offscreen";
    char *arguments[] = {program, option, offscreen, nullptr};
    qputenv("QT_QPA_PLATFORM", "xcb");
    QCOMPARE(DisplayCheck::current(3, arguments).platform, std::string("offscreen"));
    QCOMPARE(DisplayCheck::current(1, arguments).platform, std::string("xcb"));
    qunsetenv("QT_QPA_PLATFORM");
}

void TestDisplayCheck::xAddresses_data()
{
    // clang-format off
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("socket");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");

    QTest::newRow("local") << ":0" << true << "/tmp/.X11-unix/X0" << "" << 0;
    QTest::newRow("local with screen") << ":12.1" << true << "/tmp/.X11-unix/X12" << "" << 0;
    QTest::newRow("unix host") << "unix:3" << true << "/tmp/.X11-unix/X3" << "" << 0;
    QTest::newRow("ssh forwarding") << "localhost:10.0" << true << "" << "localhost" << 6010;
    QTest::newRow("tcp protocol") << "tcp/example.org:1" << true << "" << "example.org" << 6001;
    QTest::newRow("IPv6") << "[::1]:2" << true << "" << "::1" << 6002;
    QTest::newRow("socket path") << "/tmp/launch-a/org.x:0" << true << "/tmp/launch-a/org.x" << ""
                                 << 0;
    QTest::newRow("empty") << "" << false << "" << "" << 0;
    QTest::newRow("no colon") << "nonsense" << false << "" << "" << 0;
    QTest::newRow("not a number") << ":x" << false << "" << "" << 0;
    QTest::newRow("negative") << ":-1" << false << "" << "" << 0;
    // clang-format on
}

void TestDisplayCheck::xAddresses()
{
    QFETCH(QString, display);
    QFETCH(bool, valid);
    QFETCH(QString, socket);
    QFETCH(QString, host);
    QFETCH(int, port);

    const std::optional<DisplayCheck::XAddress> address = DisplayCheck::xAddress(
        display.toStdString());
    QCOMPARE(address.has_value(), valid);
    if (!address)
        return;
    QCOMPARE(QString::fromStdString(address->socketPath), socket);
    QCOMPARE(QString::fromStdString(address->host), host);
    QCOMPARE(address->port, port);
}

void TestDisplayCheck::reachesAListeningWaylandSocket()
{
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    Listener wayland;
    QVERIFY(listenLocal(wayland, QFile::encodeName(runtime.filePath(QStringLiteral("wl-test")))));
    Environment environment;
    environment.runtimeDir = QFile::encodeName(runtime.path()).toStdString();
    environment.waylandDisplay = "wl-test";
    QVERIFY(DisplayCheck::reachable(Server::Wayland, environment));
    environment.waylandDisplay =
        QFile::encodeName(runtime.filePath(QStringLiteral("wl-test"))).toStdString();
    QVERIFY(DisplayCheck::reachable(Server::Wayland, environment));
    environment.waylandDisplay = "wl-none";
    QVERIFY(!DisplayCheck::reachable(Server::Wayland, environment));
    environment.waylandDisplay = "wl-test";
    environment.runtimeDir.clear();
    QVERIFY(!DisplayCheck::reachable(Server::Wayland, environment));
}

QTEST_GUILESS_MAIN(TestDisplayCheck)
#include "tst_displaycheck.moc"
