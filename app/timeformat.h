// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A time in seconds by the pattern "0.000 Sekunden": at least one integer
// digit, three decimals, the decimal mark of the default locale, and a
// hyphen-minus for negative times; digits are always 0 to 9, and there is
// never a group separator or any other mark.
QString formatSeconds(float seconds);
