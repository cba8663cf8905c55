// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shapeholderaccessible.h"

#include "circleshape.h"

namespace {

bool isHiddenShape(const QAccessibleInterface *child)
{
    const auto *shape = child ? qobject_cast<const CircleShape *>(child->object()) : nullptr;
    return shape && shape->isHidden();
}

} // namespace

ShapeHolderAccessible::ShapeHolderAccessible(QWidget *widget)
    : QAccessibleWidget(widget)
{
}

QList<QAccessibleInterface *> ShapeHolderAccessible::presentChildren() const
{
    QList<QAccessibleInterface *> present;
    const int count = QAccessibleWidget::childCount();
    for (int index = 0; index < count; ++index) {
        QAccessibleInterface *candidate = QAccessibleWidget::child(index);
        if (!isHiddenShape(candidate))
            present.append(candidate);
    }
    return present;
}

int ShapeHolderAccessible::childCount() const
{
    return static_cast<int>(presentChildren().size());
}

QAccessibleInterface *ShapeHolderAccessible::child(int index) const
{
    return presentChildren().value(index);
}

int ShapeHolderAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return static_cast<int>(presentChildren().indexOf(const_cast<QAccessibleInterface *>(child)));
}
