// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeformat.h"

#include <QLocale>

// Qt writes some locales' numbers with their own digits, a typographic minus
// or direction marks; the pattern takes only the decimal mark from the
// locale. The number is written in the C locale, which has none of these
// and no group separator, and its point is then replaced.
QString formatSeconds(float seconds)
{
    QString number = QLocale::c().toString(static_cast<double>(seconds), 'f', 3);
    number.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return number + QStringLiteral(" Sekunden");
}
