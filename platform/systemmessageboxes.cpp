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
}
