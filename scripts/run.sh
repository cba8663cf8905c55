#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program, or says in one line why it cannot open a window.
set -eu
program="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); without a screen use: xvfb-run -a $program" >&2
    exit 1
fi
exec "$program"
