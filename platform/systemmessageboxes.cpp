// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemmessageboxes.h"

#include <QMessageBox>

void SystemMessageBoxes::show(const QString &prompt, MessageBoxStyle style, const QString &title)
{
    Q_UNUSED(style); // the program uses only the exclamation box with one OK button
    QMessageBox box(QMessageBox::Warning, title, prompt, QMessageBox::Ok, m_parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    returnFocusToParent();
}

// A window manager hands the input focus back to the window when the box
// goes; a bare X server or a kiosk session has none, and the keyboard would
// reach nothing. The parent window takes the focus back itself.
void SystemMessageBoxes::returnFocusToParent()
{
    if (!m_parent)
        return;
    m_parent->raise();
    m_parent->activateWindow();
}
