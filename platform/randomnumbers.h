// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's one random-number generator.
class RandomNumbers
{
public:
    virtual ~RandomNumbers() = default;
    // Seeds the generator from the system clock.
    virtual void Randomize() = 0;
    // The next value, uniform in [0, 1): never 1.
    virtual float Rnd() = 0;
};
