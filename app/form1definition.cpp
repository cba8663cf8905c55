// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1definition.h"

#include "config-klappomatikus.h"

namespace Form1Definition {

const char Homepage[] = KLAPPOMATIKUS_HOMEPAGE;

} // namespace Form1Definition
