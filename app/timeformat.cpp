// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeformat.h"

#include <QLocale>

QString formatSeconds(float seconds)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(seconds), 'f', 3) + QStringLiteral(" Sekunden");
}
