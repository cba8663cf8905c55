// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "coloredlabel.h"

#include "textcontrast.h"

#include <QEvent>

#include <algorithm>

namespace {

// The ground the text colours were chosen for: the window colour of Qt's
// light default palette.
const QColor LightDefaultGround(239, 239, 239);

} // namespace

void ColoredLabel::setTextColor(const QColor &color)
{
    m_textColor = color;
    showTextColor();
}

// A palette set again with the colours it holds changes nothing, so the
// change this makes ends here.
void ColoredLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_textColor.isValid())
        showTextColor();
}

// The label paints no ground of its own: it stands on its window's, which a
// scheme may shade differently in each colour group.
void ColoredLabel::showTextColor()
{
    const double minimum = std::min(TextContrast::ratio(m_textColor, LightDefaultGround),
                                    TextContrast::Readable);
    QPalette shown = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        shown.setColor(group, QPalette::WindowText,
                       TextContrast::readableOn(m_textColor, shown.color(group, QPalette::Window),
                                                minimum));
    }
    setPalette(shown);
}
