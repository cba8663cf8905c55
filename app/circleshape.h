// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// A filled circle, the largest that fits centred in the widget's box; the
// rest of the box stays transparent, and the shape takes no input.
// Assistive technology sees it as a notification.
class CircleShape : public QWidget
{
    Q_OBJECT

public:
    explicit CircleShape(QWidget *parent = nullptr);

    void setFillColor(const QColor &color);
    void setBorderColor(const QColor &color);
    QRect circleRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fillColor = Qt::red;
    QColor m_borderColor = Qt::red;
};
