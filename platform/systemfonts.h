// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;

// Fonts for a desktop that lacks a program's defined face: maps that family
// to a metric-compatible substitute and makes it, at the given size, the
// application's default font.
namespace SystemFonts {

inline constexpr const char *SubstituteFamily = "Liberation Sans";
inline constexpr const char *FallbackFamily = "DejaVu Sans";

void install(const QString &definedFamily, double pointSize);

} // namespace SystemFonts
