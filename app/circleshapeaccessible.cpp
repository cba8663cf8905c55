// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "circleshapeaccessible.h"

#include "announcer.h"
#include "circleshape.h"
#include "shapeholderaccessible.h"

namespace {

QAccessibleInterface *createAccessible(const QString &, QObject *object)
{
    if (auto *shape = qobject_cast<CircleShape *>(object))
        return new CircleShapeAccessible(shape);
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->findChild<CircleShape *>(QString(), Qt::FindDirectChildrenOnly))
        return new ShapeHolderAccessible(widget);
    return nullptr;
}

} // namespace

CircleShapeAccessible::CircleShapeAccessible(QWidget *widget)
    : QAccessibleWidget(widget, QAccessible::Notification)
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

void CircleShapeAccessible::adoptParent(QWidget *shape)
{
    install();
    QWidget *parent = shape->parentWidget();
    if (!parent)
        return;
    // Qt keeps an interface once made; the next query makes the holder's.
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(parent);
    if (made && !dynamic_cast<ShapeHolderAccessible *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}
