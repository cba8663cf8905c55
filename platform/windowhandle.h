// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// The handle by which the platform services know a window.
using WindowHandle = QWidget *;
