#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that one purpose needs, and only those that
# are missing; says in one line what it installs and why. Uses sudo when not
# run as root. The same names serve Debian 12 and Debian 13.
# Usage: install-deps.sh run|package|test|bench
set -eu

# To build the program and open its window (its icons are rendered and its
# changelog written at build time; its texts are laid out for Liberation Sans).
run="build-essential cmake ninja-build pkg-config qt6-base-dev librsvg2-bin python3
     fonts-liberation2 fonts-dejavu-core"
# To build the Debian package: dpkg-shlibdeps computes its dependencies.
package="dpkg-dev file"
# To run the test suite: a private X server, its cookies and the X tools
# that drive and read it, Qt's Wayland plugin, the accessibility bus, the
# desktop and package checkers, the manual page's renderers, the licence
# checker, fc-match, hardening-check, the code formatter.
test="xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick fontconfig qt6-wayland
      python3-xlib python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus dbus-daemon
      desktop-file-utils appstream lintian groff-base mandoc reuse git devscripts clang-format"
# To run the benchmarks: Google Benchmark, and the test tools for the robot.
bench="libbenchmark-dev"

case "${1:-}" in
    run) wanted=$run why="to build and run the program" ;;
    package) wanted="$run $package" why="to build the program and its Debian package" ;;
    test) wanted="$run $package $test" why="to build the program and run its tests" ;;
    bench) wanted="$run $package $test $bench" why="to build the program and run its benchmarks" ;;
    *) echo "usage: install-deps.sh run|package|test|bench" >&2; exit 2 ;;
esac

missing=""
for package_name in $wanted; do
    status=$(dpkg-query -W -f='${Status}' "$package_name" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $package_name"
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

echo "install-deps: installing$missing ($why)"
export DEBIAN_FRONTEND=noninteractive
install() {
    # shellcheck disable=SC2086
    $as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null
}
# A fresh system may not have the package lists yet, or old ones.
if ! install 2>/dev/null; then
    $as_root apt-get update -qq
    install
fi
