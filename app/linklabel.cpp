// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linklabel.h"

#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// Space and Select press a focused link whatever modifiers are held, as they
// press a focused button; Enter presses it as it follows a link elsewhere.
bool activates(const QKeyEvent *event)
{
    const int key = event->key();
    return key == Qt::Key_Space || key == Qt::Key_Select || key == Qt::Key_Return
           || key == Qt::Key_Enter;
}

} // namespace

LinkLabel::LinkLabel(QWidget *parent)
    : ColoredLabel(parent)
{
    setMouseTracking(true);
    // Tab reaches it; a click leaves the focus where it was, so that the
    // keys go on playing the game after the link was clicked.
    setFocusPolicy(Qt::TabFocus);
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
        m_down = m_down || !followsOne;
        m_lastLeftPress = now;
    }
    emit pressed();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        emit released();
    else
        release(m_down && rect().contains(event->position().toPoint()));
}

void LinkLabel::leaveEvent(QEvent *event)
{
    ColoredLabel::leaveEvent(event);
    emit pointerLeft();
}

void LinkLabel::click()
{
    emit pressed();
    release(true);
}

// A key held down repeats its press and release; the link opens once, when
// the key comes up, whatever modifiers are held by then. Escape lets go of
// it without opening, as it lets go of a held button.
void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (m_down && event->matches(QKeySequence::Cancel))
        return release(false);
    if (holds(event))
        return;
    if (m_downKey != 0 || !activates(event) || event->isAutoRepeat())
        return ColoredLabel::keyPressEvent(event);
    m_downKey = event->key();
    m_down = true;
    emit pressed();
}

void LinkLabel::keyReleaseEvent(QKeyEvent *event)
{
    if (!holds(event))
        return ColoredLabel::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        release(m_down);
}

bool LinkLabel::holds(const QKeyEvent *event) const
{
    return m_downKey != 0 && event->key() == m_downKey;
}

// A key still down when the focus goes is released without a click, as a
// button released beside the label is.
void LinkLabel::focusOutEvent(QFocusEvent *event)
{
    ColoredLabel::focusOutEvent(event);
    if (m_downKey != 0)
        release(false);
}

// Whatever held it down lets go.
void LinkLabel::release(bool click)
{
    m_downKey = 0;
    m_down = false;
    emit released();
    if (click)
        emit clicked();
}

// With the focus, the style's focus frame stands around the address, as it
// does around a focused link or button; it goes under the text, which keeps
// its colour.
void LinkLabel::paintEvent(QPaintEvent *event)
{
    if (hasFocus()) {
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        const QRect text = fontMetrics().boundingRect(contentsRect(),
                                                      alignment() | Qt::TextWordWrap,
                                                      QLabel::text());
        option.rect = text.adjusted(-1, 0, 1, 0) & rect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
    ColoredLabel::paintEvent(event);
}
