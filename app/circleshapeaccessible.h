// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

// Presents a CircleShape to assistive technology as a notification. Qt 6.4
// and 6.8 expose a plain widget as a filler, which screen readers pass over
// when it starts showing; a notification they present then, and the circle
// appearing is the signal to react.
class CircleShapeAccessible : public QAccessibleWidget
{
public:
    explicit CircleShapeAccessible(QWidget *widget);

    // Installs the factory for circle shapes, announcers and link labels; it
    // answers for nothing else. Later calls do nothing.
    static void install();
};
