// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Twips (1/1440 inch) per pixel on a 96-dpi screen.
inline constexpr double TwipsPerPixelAt96Dpi = 15.0;

// Facts about the screen and the program's installation.
class ScreenMetrics
{
public:
    virtual ~ScreenMetrics() = default;
    // Twips per logical pixel: TwipsPerPixelAt96Dpi on a 96-dpi screen.
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
    // The folder that holds the executable.
    virtual QString AppPath() const = 0;
};
