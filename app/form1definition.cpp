// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1definition.h"

#include <cstring>
#include <stdexcept>

namespace Form1Definition {

const ControlDefinition &control(const char *name)
{
    for (const ControlDefinition &definition : Controls) {
        if (std::strcmp(definition.name, name) == 0)
            return definition;
    }
    throw std::out_of_range(name);
}

} // namespace Form1Definition
