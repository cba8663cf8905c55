#pragma once

#include "programlifetime.h"

class SystemProgramLifetime final : public ProgramLifetime
{
public:
    [[noreturn]] void end() override;
    [[noreturn]] void fatalError(const QString &message) override;
    bool hasEnded() const override { return false; }
};
