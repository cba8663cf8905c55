// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A time in seconds by the pattern "0.000 Sekunden": at least one integer
// digit, three decimals, the decimal mark of the default locale, a minus
// sign for negative times and never a group separator.
QString formatSeconds(float seconds);
