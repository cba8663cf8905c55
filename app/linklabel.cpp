// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    press(event);
}

// Qt takes a press for a double-click's second one whenever it comes soon
// and near enough after any press in the window, beside the label too, and
// a triple-click's third press for a new one; the label decides itself.
void LinkLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    press(event);
}

void LinkLabel::press(QMouseEvent *event)
{
    event->accept();
    // Only the left button clicks, as on any link; every button colours it.
    if (event->button() == Qt::LeftButton) {
        const quint64 now = event->timestamp();
        const bool followsOne = m_lastLeftPress
                                && now - *m_lastLeftPress < quint64(m_doubleClickMs);
        m_pressed = !followsOne;
        m_lastLeftPress = now;
    }
    emit mousePressed();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    emit mouseReleased();
    if (click)
        emit clicked();
}

void LinkLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    emit pointerLeft();
}
