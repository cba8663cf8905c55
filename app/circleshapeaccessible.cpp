// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "circleshapeaccessible.h"

#include "announcer.h"
#include "circleshape.h"
#include "linklabel.h"

namespace {

QAccessibleInterface *createAccessible(const QString &, QObject *object)
{
    if (auto *shape = qobject_cast<CircleShape *>(object))
        return new CircleShapeAccessible(shape);
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    // A label is static text to Qt; screen readers announce a link as one.
    if (auto *link = qobject_cast<LinkLabel *>(object))
        return new QAccessibleWidget(link, QAccessible::Link);
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
