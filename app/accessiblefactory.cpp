// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblefactory.h"

#include "announcer.h"
#include "circleshape.h"
#include "linklabel.h"

#include <QAccessibleWidget>

namespace {

// A label is static text to Qt. Screen readers announce a link as one, and
// assistive tools (voice control, switch access, a reader's activate
// command) press it through the action Qt's own buttons offer.
class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(LinkLabel *link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<LinkLabel *>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *createAccessible(const QString &, QObject *object)
{
    // Qt 6.4 and 6.8 expose a plain widget as a filler, which screen readers
    // pass over when it starts showing; a notification they present then,
    // and the circle appearing is the signal to react.
    if (auto *shape = qobject_cast<CircleShape *>(object))
        return new QAccessibleWidget(shape, QAccessible::Notification);
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    if (auto *link = qobject_cast<LinkLabel *>(object))
        return new LinkAccessible(link);
    return nullptr;
}

} // namespace

void AccessibleFactory::install()
{
    QAccessible::installFactory(createAccessible);
}
