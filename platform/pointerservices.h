// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowhandle.h"

struct ScreenPoint
{
    int x = 0;
    int y = 0;
};

// Pointer position and window-to-screen mapping, in screen pixels.
class PointerServices
{
public:
    virtual ~PointerServices() = default;
    virtual void GetCursorPos(ScreenPoint &point) = 0;
    // Replaces a point in the window's client pixels by the same point on screen.
    virtual void ClientToScreen(WindowHandle window, ScreenPoint &point) = 0;
    // False where the window system keeps the global pointer position from
    // its clients (Wayland): GetCursorPos then only knows where the pointer
    // last was over one of the program's windows.
    virtual bool tracksGlobalPointer() const = 0;
    // The longest time between two presses that make a double-click, in ms.
    virtual int doubleClickInterval() const = 0;
};
