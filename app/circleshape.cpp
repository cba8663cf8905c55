// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "circleshape.h"

#include <QPainter>

#include <algorithm>

CircleShape::CircleShape(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CircleShape::setFillColor(const QColor &color)
{
    m_fillColor = color;
    update();
}

void CircleShape::setBorderColor(const QColor &color)
{
    m_borderColor = color;
    update();
}

QRect CircleShape::circleRect() const
{
    const int diameter = std::min(width(), height());
    QRect circle(0, 0, diameter, diameter);
    circle.moveCenter(rect().center());
    return circle;
}

void CircleShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_borderColor, 1));
    painter.setBrush(m_fillColor);
    // The pen straddles the outline; keep it inside the box.
    painter.drawEllipse(QRectF(circleRect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
