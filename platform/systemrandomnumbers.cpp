// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemrandomnumbers.h"

#include <chrono>

void SystemRandomNumbers::Randomize()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    const auto ticks = static_cast<std::uint64_t>(now);
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    m_engine.seed(seed);
}

float SystemRandomNumbers::Rnd()
{
    return toUnitFloat(static_cast<std::uint32_t>(m_engine()));
}

float SystemRandomNumbers::toUnitFloat(std::uint32_t bits)
{
    constexpr float twoToMinus24 = 1.0f / 16777216.0f;
    return static_cast<float>(bits >> 8) * twoToMinus24;
}
