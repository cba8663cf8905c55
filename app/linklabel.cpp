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
    event->accept();
    // Only the left button clicks, as on any link; every button colours it.
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    emit mousePressed();
}

// Qt delivers a double-click's second press here instead of to
// mousePressEvent; it colours the label but arms no click, so that a
// double-click opens the homepage once.
void LinkLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
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
