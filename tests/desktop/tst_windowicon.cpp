// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formfixture.h"

#include <QIcon>
#include <QImage>
#include <QTest>

namespace {

// The sizes the build renders the drawing at for the window.
constexpr int WindowIconSizes[] = {KLAPPOMATIKUS_WINDOW_ICON_SIZES};

QString rendered(int size)
{
    return QStringLiteral(KLAPPOMATIKUS_ICON_DIR "/klappomatikus-%1.png").arg(size);
}

} // namespace

// The window's icon offers the drawing as rendered for every size and scale
// a title bar or task bar asks for, so that nothing is scaled up blurrily.
class TestWindowIcon : public QObject
{
    Q_OBJECT

private slots:
    void offersEveryRenderedSize();
    void matchesTheRendering_data();
    void matchesTheRendering();
};

void TestWindowIcon::offersEveryRenderedSize()
{
    FormFixture fixture;
    QList<QSize> expected;
    for (const int size : WindowIconSizes)
        expected << QSize(size, size);
    QList<QSize> offered = fixture.form->windowIcon().availableSizes();
    std::sort(offered.begin(), offered.end(),
              [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(offered, expected);
}

void TestWindowIcon::matchesTheRendering_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");
    for (const int size : WindowIconSizes) {
        QTest::addRow("%dpx", size) << size << qreal(1);
        if (std::find(std::begin(WindowIconSizes), std::end(WindowIconSizes), 2 * size)
            != std::end(WindowIconSizes))
            QTest::addRow("%dpx at 2x", size) << size << qreal(2);
    }
}

void TestWindowIcon::matchesTheRendering()
{
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    FormFixture fixture;
    const QIcon icon = fixture.form->windowIcon();
    const int pixels = qRound(size * ratio);

    const QPixmap pixmap = icon.pixmap(QSize(size, size), ratio);
    QCOMPARE(pixmap.size(), QSize(pixels, pixels));

    QImage expected(rendered(pixels));
    QVERIFY2(!expected.isNull(), qPrintable(rendered(pixels)));
    // Both through premultiplied alpha, as a pixmap holds it.
    expected = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage actual = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(actual.size(), expected.size());
    QVERIFY2(actual == expected, "the window icon differs from the rendering of its size");
}

QTEST_MAIN(TestWindowIcon)
#include "tst_windowicon.moc"
