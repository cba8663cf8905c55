// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemservices.h"

Services SystemServices::services()
{
    return {m_counter, m_random, m_messageBoxes, m_lifetime, m_shell, m_pointer, m_screen};
}
