#pragma once

#include "screenmetrics.h"

class SystemScreenMetrics final : public ScreenMetrics
{
public:
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
    QString AppPath() const override;
};
