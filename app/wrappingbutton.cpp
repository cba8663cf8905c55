#include "wrappingbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

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
