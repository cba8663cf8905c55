// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// Says a short text to assistive technology without moving the focus. Qt
// 6.8 and later send it as an announcement. Qt 6.4 has no announcement, so
// there the text appears as a notification without size, which screen
// readers present when it becomes showing; it stays until the next text
// replaces it.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
};
