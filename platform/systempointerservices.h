// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pointerservices.h"

class SystemPointerServices final : public PointerServices
{
public:
    void GetCursorPos(ScreenPoint &point) override;
    void ClientToScreen(WindowHandle window, ScreenPoint &point) override;
    bool tracksGlobalPointer() const override;
    int doubleClickInterval() const override;
};
