// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

// Presents a CircleShape to assistive technology as a notification: screen
// readers present a notification when it appears, and the circle appearing
// is the signal to react.
class CircleShapeAccessible : public QAccessibleWidget
{
public:
    explicit CircleShapeAccessible(QWidget *widget);

    // Installs the factory for circle shapes, the widgets that hold them and
    // announcers; it answers for nothing else. Later calls do nothing.
    static void install();
    // Makes the parent of a new shape take the holder's interface, also if
    // Qt made one for it before the shape arrived.
    static void adoptParent(QWidget *shape);
};
