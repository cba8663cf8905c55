// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "circleshapeaccessible.h"

#include "circleshape.h"
#include "shapeholderaccessible.h"

namespace {

QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (auto *shape = qobject_cast<CircleShape *>(object))
        return new CircleShapeAccessible(shape);
    // Any plain child widget may hold a shape, and the interface is kept
    // once made, so it is chosen before the shape arrives. Qt's own
    // interfaces for the other classes and for windows stay.
    if (className == QLatin1String("QWidget")) {
        auto *widget = static_cast<QWidget *>(object);
        if (!widget->isWindow())
            return new ShapeHolderAccessible(widget);
    }
    return nullptr;
}

} // namespace

CircleShapeAccessible::CircleShapeAccessible(QWidget *widget)
    : QAccessibleWidget(widget, QAccessible::Graphic)
{
}

void CircleShapeAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}
