// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "displaycheck.h"

#include <QTest>

// The line shown without a display names the program as it was called, so
// that the suggested command starts the same program.
class TestDisplayCheck : public QObject
{
    Q_OBJECT

private slots:
    void messageNamesTheProgramAsCalled_data();
    void messageNamesTheProgramAsCalled();
};

void TestDisplayCheck::messageNamesTheProgramAsCalled_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("name");

    QTest::newRow("from the build tree") << "build/app/klappomatikus" << "klappomatikus";
    QTest::newRow("installed") << "/usr/bin/klappomatikus" << "klappomatikus";
    QTest::newRow("found on the path") << "klappomatikus" << "klappomatikus";
    QTest::newRow("probe build") << "./klappomatikus_probe" << "klappomatikus_probe";
}

void TestDisplayCheck::messageNamesTheProgramAsCalled()
{
    QFETCH(QString, program);
    QFETCH(QString, name);

    const QString message = QString::fromStdString(
        DisplayCheck::noDisplayMessage(program.toStdString()));
    QVERIFY2(message.startsWith(name + QStringLiteral(": ")), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral(" xvfb-run -a ") + program), qPrintable(message));
    QCOMPARE(message.count(QStringLiteral("xvfb-run")), 1);
    QVERIFY(!message.contains(u'\n'));
}

QTEST_GUILESS_MAIN(TestDisplayCheck)
#include "tst_displaycheck.moc"
