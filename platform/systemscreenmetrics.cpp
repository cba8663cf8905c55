// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemscreenmetrics.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr double TwipsPerInch = 1440.0;
constexpr double FallbackDpi = 96.0;

double twipsPerPixel(double logicalDpi)
{
    return TwipsPerInch / (logicalDpi > 0 ? logicalDpi : FallbackDpi);
}

} // namespace

double SystemScreenMetrics::TwipsPerPixelX() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchX() : FallbackDpi);
}

double SystemScreenMetrics::TwipsPerPixelY() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchY() : FallbackDpi);
}

QString SystemScreenMetrics::AppPath() const
{
    return QCoreApplication::applicationDirPath();
}
