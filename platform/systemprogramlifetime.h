// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "programlifetime.h"

class SystemProgramLifetime final : public ProgramLifetime
{
public:
    [[noreturn]] void end() override;
    [[noreturn]] void fatalError(const QString &message) override;
};
