// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakeservices.h"

void ScriptedCounter::QueryPerformanceCounter(LargeInteger &count)
{
    ++readCount;
    if (!readings.empty()) {
        m_last = readings.front();
        readings.pop_front();
    }
    count.LowPart = static_cast<quint32>(m_last);
    count.HighPart = static_cast<quint32>(m_last >> 32);
}

void ScriptedCounter::QueryPerformanceFrequency(LargeInteger &value)
{
    value.LowPart = static_cast<quint32>(frequency);
    value.HighPart = static_cast<quint32>(frequency >> 32);
}

float ScriptedRandom::Rnd()
{
    ++draws;
    if (values.empty())
        return fallback;
    const float value = values.front();
    values.pop_front();
    return value;
}

void RecordingMessageBoxes::show(const QString &prompt, MessageBoxStyle style,
                                 const QString &title)
{
    shown.append({prompt, style, title});
    if (whileOpen)
        whileOpen(shown.last());
}
