// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "screenmetrics.h"

class SystemScreenMetrics final : public ScreenMetrics
{
public:
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
    QString AppPath() const override;
};
