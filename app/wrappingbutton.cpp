#include "wrappingbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrappingButton::WrappingButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    // Connected before anyone else, so that it runs first on a click.
    connect(this, &QAbstractButton::clicked, this, [this] { setUpdatesEnabled(true); });
}

// QAbstractButton repaints the button synchronously on a press (mouse or
// space key) and again on the release, before it emits clicked: a click's
// handler (the reaction button's stops the stopwatch) would wait for both
// paintings and their way to the screen. With updates off the repaint is
// only queued; it follows at the next paint pass, a moment after the
// handler has begun.
void WrappingButton::mousePressEvent(QMouseEvent *event)
{
    setUpdatesEnabled(false);
    QPushButton::mousePressEvent(event);
    setUpdatesEnabled(true);
}

void WrappingButton::mouseReleaseEvent(QMouseEvent *event)
{
    setUpdatesEnabled(false);
    QPushButton::mouseReleaseEvent(event);
    setUpdatesEnabled(true);
}

void WrappingButton::keyPressEvent(QKeyEvent *event)
{
    setUpdatesEnabled(false);
    QPushButton::keyPressEvent(event);
    setUpdatesEnabled(true);
}

void WrappingButton::keyReleaseEvent(QKeyEvent *event)
{
    setUpdatesEnabled(false);
    QPushButton::keyReleaseEvent(event);
    setUpdatesEnabled(true);
}

QRect WrappingButton::contentsRectangle() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void WrappingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws the bevel and the focus frame; the caption is drawn
    // here so that it can wrap.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(contentsRectangle(), TextFlags, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}
