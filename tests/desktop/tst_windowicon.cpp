// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formfixture.h"

#include <QIcon>
#include <QImage>
#include <QTest>

// The window's icon is the same drawing as the icons installed into the
// desktop's theme, and offers a render of its own for every size and scale
// a title bar or task bar asks for, so that nothing is scaled up blurrily.
class TestWindowIcon : public QObject
{
    Q_OBJECT

private slots:
    void matchesThemedIcon_data();
    void matchesThemedIcon();
};

void TestWindowIcon::matchesThemedIcon_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");
    for (const int size : {16, 24, 32, 48, 64, 128})
        QTest::addRow("%dpx", size) << size << qreal(1);
    for (const int size : {16, 24, 32, 64})
        QTest::addRow("%dpx at 2x", size) << size << qreal(2);
}

void TestWindowIcon::matchesThemedIcon()
{
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    FormFixture fixture;
    const QIcon icon = fixture.form->windowIcon();
    const int pixels = qRound(size * ratio);

    const QPixmap pixmap = icon.pixmap(QSize(size, size), ratio);
    QCOMPARE(pixmap.size(), QSize(pixels, pixels));

    const QString themed = QStringLiteral(KLAPPOMATIKUS_THEME_ICONS "/%1x%1/apps/" KLAPPOMATIKUS_APP_ID
                                          ".png")
                               .arg(pixels);
    QImage expected(themed);
    QVERIFY2(!expected.isNull(), qPrintable(themed));
    // Both through premultiplied alpha, as a pixmap holds it.
    expected = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage actual = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(actual.size(), expected.size());
    QVERIFY2(actual == expected, "the window icon differs from the themed icon");
}

QTEST_MAIN(TestWindowIcon)
#include "tst_windowicon.moc"
