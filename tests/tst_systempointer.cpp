// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systempointerservices.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

// The real pointer service's mapping of client points to the screen.
class TestSystemPointer : public QObject
{
    Q_OBJECT

private slots:
    void clientOriginLiesBelowTheMenuBar_data();
    void clientOriginLiesBelowTheMenuBar();
};

void TestSystemPointer::clientOriginLiesBelowTheMenuBar_data()
{
    QTest::addColumn<QPoint>("client");
    QTest::newRow("origin") << QPoint(0, 0);
    QTest::newRow("a label's corner") << QPoint(216, 96);
}

void TestSystemPointer::clientOriginLiesBelowTheMenuBar()
{
    QFETCH(QPoint, client);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("INFO"));
    auto *central = new QWidget(&window);
    window.setCentralWidget(central);
    window.resize(423, 361);
    window.move(300, 203);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.menuBar()->height() > 0);

    SystemPointerServices pointer;
    ScreenPoint point{client.x(), client.y()};
    pointer.ClientToScreen(&window, point);

    const QPoint expected = central->mapToGlobal(client);
    QCOMPARE(QPoint(point.x, point.y), expected);
    QCOMPARE(expected.y() - window.mapToGlobal(client).y(), window.menuBar()->height());
}

QTEST_MAIN(TestSystemPointer)
#include "tst_systempointer.moc"
