#!/bin/sh
# Installs the Debian/Ubuntu packages that building, running and testing
# need, and only those that are missing. Uses sudo when not run as root.
set -eu

packages="
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-liberation2 fonts-dejavu-core
    xvfb xauth xdotool x11-utils imagemagick librsvg2-bin
    desktop-file-utils appstream dpkg-dev file debootstrap x11-xserver-utils
    at-spi2-core dbus-daemon python3 python3-pyatspi gir1.2-atspi-2.0
    python3-xlib dbus
    libbenchmark-dev
"

missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        "install ok installed") ;;
        *) missing="$missing $package" ;;
    esac
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "install-deps: missing packages:$missing; run as root or install sudo" >&2
    exit 1
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
if ! $as_root apt-get install -y --no-install-recommends $missing; then
    $as_root apt-get update
    # shellcheck disable=SC2086
    $as_root apt-get install -y --no-install-recommends $missing
fi
