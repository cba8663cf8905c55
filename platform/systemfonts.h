// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Fonts for a desktop that lacks the window's defined face: maps that family
// to a metric-compatible substitute and sets the application's default font.
namespace SystemFonts {

inline constexpr const char *DefinedFamily = "MS Sans Serif";
inline constexpr const char *SubstituteFamily = "Liberation Sans";
inline constexpr const char *FallbackFamily = "DejaVu Sans";
inline constexpr double DefaultPointSize = 8.0;

void install();

} // namespace SystemFonts
