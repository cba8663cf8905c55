// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A label whose text has a colour of its own. It keeps it whatever palette
// it is given, by its window or by a platform theme that hands a new scheme
// to every widget: in its hue, and in each colour group as readable on the
// ground it stands on as on the light default's, or readable enough where
// that is less. Under the light default the colour is shown as it is.
class ColoredLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    void setTextColor(const QColor &color);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showTextColor();

    QColor m_textColor;
};
