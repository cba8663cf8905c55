// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

// Keeps assistive technology's view of a widget's visibility current. When
// a widget is shown or hidden, Qt 6.4 and 6.8 report on the accessibility
// bus only that its 'showing' state changed. The client library caches the
// 'visible' state it read while the widget was hidden, and a screen reader
// then skips the widget once it is back (Orca's flat review leaves out the
// time); this reports the change of 'visible' as well.
class AccessibleVisibility : public QObject
{
    Q_OBJECT

public:
    // Follows the widget's showing and hiding from now on, for its lifetime.
    static void follow(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
