// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemfonts.h"

#include <QApplication>
#include <QFont>

namespace SystemFonts {

void install()
{
    QFont::insertSubstitutions(QString::fromUtf8(DefinedFamily),
                               {QString::fromUtf8(SubstituteFamily),
                                QString::fromUtf8(FallbackFamily)});
    QFont defaultFont(QString::fromUtf8(DefinedFamily));
    defaultFont.setPointSizeF(DefaultPointSize);
    QApplication::setFont(defaultFont);
}

} // namespace SystemFonts
