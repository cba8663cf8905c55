// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A label that reports the mouse: moves over it (with or without a button
// held), presses and releases of any button, left-button clicks (a release
// over the label after a single press on it) and the pointer leaving it.
// The second press of a double-click is a press but no click.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

signals:
    void mouseMoved();
    void mousePressed();
    void mouseReleased();
    void clicked();
    void pointerLeft();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_pressed = false;
};
