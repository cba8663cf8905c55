// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textcontrast.h"

#include <algorithm>
#include <cmath>

namespace TextContrast {

namespace {

// Lightness is searched in steps of one 8-bit level, the finest a screen shows.
constexpr int LightnessSteps = 255;

double linear(double component)
{
    return component <= 0.04045 ? component / 12.92 : std::pow((component + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &color)
{
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF())
           + 0.0722 * linear(color.blueF());
}

} // namespace

double ratio(const QColor &first, const QColor &second)
{
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

QColor readableOn(const QColor &text, const QColor &ground, double minimum)
{
    if (ratio(text, ground) >= minimum)
        return text;
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    text.getHslF(&hue, &saturation, &lightness);
    const int own = static_cast<int>(std::lround(lightness * LightnessSteps));
    for (int distance = 1; distance <= LightnessSteps; ++distance) {
        for (const int level : {own - distance, own + distance}) {
            if (level < 0 || level > LightnessSteps)
                continue;
            // Measured as the screen will show it, in 8-bit components.
            const QColor candidate(
                QColor::fromHslF(hue, saturation, static_cast<float>(level) / LightnessSteps)
                    .rgb());
            if (ratio(candidate, ground) >= minimum)
                return candidate;
        }
    }
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ratio(black, ground) >= ratio(white, ground) ? black : white;
}

} // namespace TextContrast
