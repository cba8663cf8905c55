// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

// The accessible of a plain child widget, as Qt's own, except that a
// CircleShape counts among its children only while it is shown, so that
// assistive technology finds the shape only while it is on screen.
class ShapeHolderAccessible : public QAccessibleWidget
{
public:
    explicit ShapeHolderAccessible(QWidget *widget);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QAccessibleInterface *> presentChildren() const;
};
