// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The time pattern "0.000 Sekunden" under locales whose numbers Qt would
// otherwise write with their own digits, signs, marks or group separators.

#include "timeformat.h"

#include <QLocale>
#include <QTest>

class TestTimeFormat : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void onlyTheDecimalMarkFollowsTheLocale_data();
    void onlyTheDecimalMarkFollowsTheLocale();
};

void TestTimeFormat::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestTimeFormat::onlyTheDecimalMarkFollowsTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("expected");

    const QString arabicDecimalMark = QStringLiteral("\u066b");
    const struct
    {
        const char *locale;
        QString mark;
    } locales[] = {
        {"de_DE", QStringLiteral(",")}, {"C", QStringLiteral(".")},
        {"en_US", QStringLiteral(".")}, {"sv_SE", QStringLiteral(",")},
        {"fi_FI", QStringLiteral(",")}, {"ar_EG", arabicDecimalMark},
        {"fa_IR", arabicDecimalMark},   {"hi_IN", QStringLiteral(".")},
    };
    for (const auto &[locale, mark] : locales) {
        auto row = [&](const char *what, float seconds, const char *pattern) {
            QTest::addRow("%s %s", locale, what)
                << QString::fromLatin1(locale) << seconds
                << QString::fromLatin1(pattern).replace(QLatin1Char('#'), mark);
        };
        row("negative", -0.049f, "-0#049 Sekunden");
        row("zero", 0.0f, "0#000 Sekunden");
        row("rounded", 0.2346f, "0#235 Sekunden");
        row("negative rounded", -0.0425f, "-0#043 Sekunden");
        row("thousands", 123456.5f, "123456#500 Sekunden");
    }
}

void TestTimeFormat::onlyTheDecimalMarkFollowsTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(float, seconds);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(formatSeconds(seconds), expected);
}

QTEST_GUILESS_MAIN(TestTimeFormat)
#include "tst_timeformat.moc"
