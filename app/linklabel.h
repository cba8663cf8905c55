// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "coloredlabel.h"

#include <optional>

// A label that behaves as a link. It reports the mouse: moves over it (with
// or without a button held), presses and releases of any button, left-button
// clicks (a release over the label after a press on it) and the pointer
// leaving it. Left presses that follow one on the label within the
// double-click interval belong to its click: a double- or triple-click is
// one click. The keyboard reaches it with Tab, and Space or Enter is pressed,
// released and clicked as the left button is. Held down by a key and the
// mouse at once, it is clicked once, by whichever lets go first.
class LinkLabel : public ColoredLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

    void setDoubleClickInterval(int ms) { m_doubleClickMs = ms; }
    // Presses, releases and clicks it at once, as QAbstractButton::click does.
    void click();

signals:
    void mouseMoved();
    void pressed();
    void released();
    void clicked();
    void pointerLeft();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void press(QMouseEvent *event);
    bool holds(const QKeyEvent *event) const;
    void release(bool click);

    // Held down by the left button or a key; a release then clicks.
    bool m_down = false;
    // The key that holds it, or 0.
    int m_downKey = 0;
    int m_doubleClickMs = 0;
    std::optional<quint64> m_lastLeftPress;
};
