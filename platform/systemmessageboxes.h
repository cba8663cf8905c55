// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "messageboxes.h"

class QWidget;

// Application-modal QMessageBox centred on the given parent window.
class SystemMessageBoxes final : public MessageBoxes
{
public:
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    void show(const QString &prompt, MessageBoxStyle style, const QString &title) override;

private:
    void returnFocusToParent();

    QWidget *m_parent = nullptr;
};
