// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "randomnumbers.h"

#include <cstdint>
#include <random>

class SystemRandomNumbers final : public RandomNumbers
{
public:
    void Randomize() override;
    float Rnd() override;

    // Turns 32 random bits into a float in [0, 1) from their top 24 bits,
    // so every result is a multiple of 2^-24 and exactly representable:
    // the largest is 1 - 2^-24, never 1.
    static float toUnitFloat(std::uint32_t bits);

private:
    std::mt19937 m_engine;
};
