// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblevisibility.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEvent>
#include <QWidget>

namespace {

// Qt's bridge to the accessibility bus keeps its connection under this name
// and gives each interface the object path of its unique id.
const QString BridgeConnection = QStringLiteral("a11y");
const QString ObjectPathPrefix = QStringLiteral("/org/a11y/atspi/accessible/");

void reportVisible(QObject *object, bool visible)
{
    QDBusConnection bus(BridgeConnection);
    if (!bus.isConnected())
        return;
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
    if (!accessible)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPathPrefix
                                                         + QString::number(
                                                             QAccessible::uniqueId(accessible)),
                                                     QStringLiteral("org.a11y.atspi.Event.Object"),
                                                     QStringLiteral("StateChanged"));
    signal << QStringLiteral("visible") << int(visible) << 0 << QVariant::fromValue(QDBusVariant(0))
           << QVariantMap();
    bus.send(signal);
}

} // namespace

void AccessibleVisibility::follow(QWidget *widget)
{
    widget->installEventFilter(new AccessibleVisibility(widget));
}

bool AccessibleVisibility::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        reportVisible(watched, event->type() == QEvent::Show);
    return false;
}
