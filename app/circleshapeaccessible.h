// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

// Presents a CircleShape to assistive technology as a graphic, not as an
// anonymous filler.
class CircleShapeAccessible : public QAccessibleWidget
{
public:
    explicit CircleShapeAccessible(QWidget *widget);

    // Installs the factory for circle shapes and the widgets that hold them;
    // later calls do nothing.
    static void install();
};
