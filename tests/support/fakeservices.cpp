// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakeservices.h"

void FakeCounter::advance(std::uint64_t ns)
{
    nowNs += ns;
    m_readsThisMoment = 0;
}

void FakeCounter::QueryPerformanceCounter(LargeInteger &count)
{
    ++readCount;
    if (!readings.empty()) {
        nowNs = readings.front();
        readings.pop_front();
        m_readsThisMoment = 0;
    }
    count = LargeInteger::fromCount(nowNs + m_readsThisMoment * readStepNs);
    ++m_readsThisMoment;
}

void FakeCounter::QueryPerformanceFrequency(LargeInteger &value)
{
    ++frequencyQueries;
    value = LargeInteger::fromCount(frequency);
}

float ScriptedRandom::Rnd()
{
    ++draws;
    if (values.empty())
        return next;
    const float value = values.front();
    values.pop_front();
    return value;
}

void RecordingMessageBoxes::show(const QString &prompt, MessageBoxStyle style, const QString &title)
{
    shown.append({prompt, style, title});
    if (whileOpen)
        whileOpen(shown.last());
}
