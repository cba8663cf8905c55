// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the message boxes say besides the verdicts (verdicttable.h), UTF-8.
namespace MessageTexts {

inline constexpr const char *VerdictTitle = "Auswertung";

inline constexpr const char *EarlyPressTitle = "und tschüss";
// Ends with a space.
inline constexpr const char *EarlyPressPrompt =
    "Man sollte nur drücken wenn man den Kreis sieht. Selbst schuld wenn Sie bescheissen wollen. ";

// The fatal run-time error of a division by zero in the stopwatch.
inline constexpr const char *DivisionByZero = "Laufzeitfehler '11':\n\nDivision durch Null";

} // namespace MessageTexts
