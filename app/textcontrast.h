// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

// How well a text reads on what it stands on, measured as WCAG 2 does, and
// the nearest colour of the same hue that reads well enough.
namespace TextContrast {

// The contrast WCAG 2 asks of ordinary text.
inline constexpr double Readable = 4.5;

// The ratio of the lighter colour's relative luminance to the darker one's,
// each plus 0.05: from 1 (the same) to 21 (black and white).
double ratio(const QColor &first, const QColor &second);

// `text` itself where it reaches `minimum` on `ground`. Otherwise the colour
// of the same hue and saturation whose lightness lies nearest to the text's
// own and reaches it; where no lightness does, black or white, whichever
// comes closer.
QColor readableOn(const QColor &text, const QColor &ground, double minimum);

} // namespace TextContrast
