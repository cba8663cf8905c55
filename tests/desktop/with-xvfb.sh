#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a private Xvfb server: picks a random display number
# that no one uses, retries with another if the server does not come up,
# and stops the server when the command ends.
# Usage: [XVFB_DPI=<dots per inch>] with-xvfb.sh <width>x<height> <command...>
set -eu
geometry=$1
shift

attempt=0
while :; do
    attempt=$((attempt + 1))
    number=$(( $(od -An -N2 -tu2 /dev/urandom) % 900 + 100 ))
    if [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ]; then
        Xvfb ":$number" -screen 0 "${geometry}x24" -nolisten tcp -noreset -dpi "${XVFB_DPI:-96}" >/dev/null 2>&1 &
        server=$!
        tries=0
        while [ $tries -lt 50 ] && kill -0 "$server" 2>/dev/null && [ ! -e "/tmp/.X11-unix/X$number" ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        if kill -0 "$server" 2>/dev/null && [ -e "/tmp/.X11-unix/X$number" ]; then
            break
        fi
        kill "$server" 2>/dev/null || true
    fi
    if [ $attempt -ge 10 ]; then
        echo "with-xvfb: no display could be started" >&2
        exit 1
    fi
done

command_pid=""
stop() {
    [ -n "$command_pid" ] && kill "$command_pid" 2>/dev/null || true
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
}
trap stop EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
export DISPLAY=":$number"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# In the background, so that a signal (a test timing out) ends the wait at
# once and the server goes with it.
"$@" &
command_pid=$!
status=0
wait "$command_pid" || status=$?
command_pid=""
exit $status
