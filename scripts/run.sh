#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program, or says in one line why it cannot open a window and
# how to run it on a virtual screen instead (and, where xvfb-run is missing,
# how to get it, through apt-get where there is one: `make run` does not
# install it, a desktop never needs it).
set -eu
program="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    advice="without a screen use: xvfb-run -a $program"
    if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v xauth >/dev/null 2>&1; then
        if command -v apt-get >/dev/null 2>&1; then
            advice="$advice (xvfb-run needs Debian's packages xvfb and xauth:"
            advice="$advice sudo apt-get install xvfb xauth)"
        else
            advice="$advice (install xvfb-run, Xvfb and xauth; Debian's packages xvfb and xauth)"
        fi
    fi
    echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); $advice" >&2
    exit 1
fi
exec "$program"
