// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What assistive technology sees of the window's own controls, where Qt's
// view of their base class falls short: the circle and the announcer are
// notifications, the link label a link that can be pressed.
namespace AccessibleFactory {

// Installs the factory for those controls; it answers for nothing else.
void install();

} // namespace AccessibleFactory
