// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

enum class MessageBoxStyle {
    ExclamationOk = 48, // exclamation icon, one OK button
};

// Modal message boxes: show() returns once the user has dismissed the box.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const QString &prompt, MessageBoxStyle style, const QString &title) = 0;
};
