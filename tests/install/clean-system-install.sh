#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian package on a freshly bootstrapped, minimal Debian 12
# (a chroot made with debootstrap from Debian's repositories) and starts the
# program there against a private Xvfb server of this machine: shows that
# the package's dependencies are complete. Needs root and a few minutes;
# not part of `make test`.
# Usage: clean-system-install.sh <package.deb> [screenshot.png [mirror]]
set -eu
deb=$(realpath "$1")
screenshot=$(realpath -m "${2:-clean-system-window.png}")
mirror=${3:-http://deb.debian.org/debian}
here=$(cd "$(dirname "$0")" && pwd)

[ "$(id -u)" -eq 0 ] || { echo "clean-system-install: run as root" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "clean-system-install: needs debootstrap" >&2; exit 1; }

root=$(mktemp -d /var/tmp/klappo-clean.XXXXXX)
cleanup() {
    for mount in tmp/.X11-unix proc; do
        mountpoint -q "$root/$mount" && umount "$root/$mount"
    done
    rm -rf "$root"
}
trap cleanup EXIT

echo "clean-system-install: bootstrapping Debian 12 into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
    { tail -20 "$root.log"; exit 1; }
rm -f "$root.log"
mount -t proc proc "$root/proc"

cp "$deb" "$root/tmp/"
chroot "$root" sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends -qq /tmp/$(basename "$deb")" >/dev/null
echo "clean-system-install: installed; $(chroot "$root" dpkg-query -W klappomatikus)"
chroot "$root" dpkg -L klappomatikus | grep -E 'bin/|\.desktop$|metainfo'

# The program in the chroot draws on an Xvfb server of this machine.
mkdir -p "$root/tmp/.X11-unix" "$root/run/user/0"
chmod 700 "$root/run/user/0"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
sh "$here/../desktop/with-xvfb.sh" 1024x768 sh -c '
    chroot "$1" env DISPLAY="$DISPLAY" XDG_RUNTIME_DIR=/run/user/0 /usr/bin/klappomatikus &
    program=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^Klappomatikus$" | head -1)
    status=0
    if [ -n "$window" ]; then
        echo "clean-system-install: the window is up: $(xwininfo -id "$window" | grep -E "Width|Height" | tr -s " " | tr "\n" " ")"
        sleep 0.5
        import -window "$window" "$2" && echo "clean-system-install: screenshot $2"
    else
        echo "clean-system-install: FAIL: no window" >&2
        status=1
    fi
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    exit $status
' sh "$root" "$screenshot"
