// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wrappingbutton.h"

#include <QEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

WrappingButton::WrappingButton(QWidget *parent)
    : WrappingButton(QString(), parent)
{
}

WrappingButton::WrappingButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    // Connected before anyone else, so that it runs first on a click.
    connect(this, &QAbstractButton::clicked, this, [this] { setUpdatesEnabled(true); });
    m_showPressedLook.setSingleShot(true);
    m_showPressedLook.setTimerType(Qt::PreciseTimer);
    m_showPressedLook.setInterval(PressedLookDelayMs);
    connect(&m_showPressedLook, &QTimer::timeout, this, [this] { setUpdatesEnabled(true); });
}

// QAbstractButton repaints the button synchronously on a press (mouse or
// space key) and again on the release, before it emits clicked: a click's
// handler (the reaction button's stops the stopwatch) would wait for both
// paintings and their way to the screen. With updates off a repaint is only
// queued. The pressed look waits a few milliseconds, so that a quick click's
// release, usually close behind its press, finds no painting in its way; the
// look after the release follows at the next paint pass, a moment after the
// click's handler has begun.
void WrappingButton::holdBackPressedLook()
{
    setUpdatesEnabled(false);
    m_showPressedLook.start();
}

void WrappingButton::releaseWithoutRepaint()
{
    m_showPressedLook.stop();
    setUpdatesEnabled(false);
}

void WrappingButton::mousePressEvent(QMouseEvent *event)
{
    holdBackPressedLook();
    QPushButton::mousePressEvent(event);
}

void WrappingButton::mouseReleaseEvent(QMouseEvent *event)
{
    releaseWithoutRepaint();
    QPushButton::mouseReleaseEvent(event);
    setUpdatesEnabled(true);
}

void WrappingButton::keyPressEvent(QKeyEvent *event)
{
    holdBackPressedLook();
    QPushButton::keyPressEvent(event);
}

void WrappingButton::keyReleaseEvent(QKeyEvent *event)
{
    releaseWithoutRepaint();
    QPushButton::keyReleaseEvent(event);
    setUpdatesEnabled(true);
}

QRect WrappingButton::contentsRectangle() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

// A wrapped caption fills its lines to the edge of the room it is given; the
// margin keeps its widest line off the sides of the face, as a one-line
// caption is kept by the style's own button margin.
QRect WrappingButton::captionRectangle() const
{
    return contentsRectangle().adjusted(CaptionMargin, 0, -CaptionMargin, 0);
}

void WrappingButton::setFaceColors(const QColor &face, const QColor &caption,
                                   const QColor &disabledCaption)
{
    m_faceColor = face;
    m_ownColors.setColor(QPalette::Button, face);
    m_ownColors.setColor(QPalette::Active, QPalette::ButtonText, caption);
    m_ownColors.setColor(QPalette::Inactive, QPalette::ButtonText, caption);
    m_ownColors.setColor(QPalette::Disabled, QPalette::ButtonText, disabledCaption);
    setPalette(m_ownColors.resolve(palette()));
}

// A palette set again with the colours it holds changes nothing, so the
// change this makes ends here.
void WrappingButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_faceColor.isValid())
        setPalette(m_ownColors.resolve(palette()));
}

void WrappingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws the bevel and the focus frame; the caption is drawn
    // here so that it can wrap.
    option.text.clear();
    if (m_faceColor.isValid() && !isDown())
        drawWithFlatFace(painter, option);
    else
        painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(captionRectangle(), TextFlags, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}

// The style's frame with the face inside it painted over in one colour, then
// the focus frame on top, as the style's own push button draws it. A pressed
// button keeps the style's pressed face.
void WrappingButton::drawWithFlatFace(QStylePainter &painter, const QStyleOptionButton &option)
{
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    painter.fillRect(rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth),
                     m_faceColor);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
