// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemfonts.h"

#include <QApplication>
#include <QFont>

namespace SystemFonts {

void install(const QString &definedFamily, double pointSize)
{
    QFont::insertSubstitutions(definedFamily, {QString::fromUtf8(SubstituteFamily),
                                               QString::fromUtf8(FallbackFamily)});
    QFont defaultFont(definedFamily);
    defaultFont.setPointSizeF(pointSize);
    QApplication::setFont(defaultFont);
}

} // namespace SystemFonts
