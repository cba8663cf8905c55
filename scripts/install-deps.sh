#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes sure that what one purpose needs is there. Each thing is looked for
# by what it is (a command on the PATH, a module of the tests' Python, a
# CMake package, a Qt plugin, a font fontconfig knows), not by the package
# that brings it, so that any Linux can be checked.
# Where apt-get exists, the Debian packages of the missing things are
# installed, with one line saying what and why (through sudo when not root).
# Elsewhere each missing thing is named in one line with the Debian package
# that holds it, and the script exits 1. Debian's own tools, which only some
# tests use (and skip without), are needed elsewhere only to build the
# Debian package.
# Usage: install-deps.sh run|package|test|bench
# KLAPPOMATIKUS_TEST_PYTHON names the tests' Python (default /usr/bin/python3),
# KLAPPOMATIKUS_LIBEXEC_DIRS where the AT-SPI bus launcher may live.
set -eu

# Every thing, and the Debian package that holds it (the same name on
# Debian 12, 13 and unstable): the purpose that first needs it, how it is looked
# for, its name there, the package, and what it is for. Kinds: command
# (alternatives joined by |), debian (a command of Debian's own tools),
# python (a module), typelib (a GObject typelib for that Python), cmake (a
# CMake package config), qtplugin (a file below Qt's plugin folder; a pattern,
# as Qt 6.11 names the Wayland plugin otherwise than 6.4 and 6.8), libexec
# (a helper program outside the PATH), font (a family; _ for a space).
table='
run     command  cmake                    cmake              CMake
run     command  ninja                    ninja-build        Ninja, which CMake drives
run     command  c++|g++|clang++          g++                a C++20 compiler (c++, g++ or clang++)
run     command  pkg-config               pkg-config         pkg-config, which Qt asks for libraries
run     cmake    Qt6Widgets               qt6-base-dev       Qt 6 Widgets, its CMake package
run     command  rsvg-convert             librsvg2-bin       rsvg-convert, which renders the icons
run     command  python3                  python3            Python 3, which writes the changelog
run     command  fc-list                  fontconfig         fc-list, which finds fonts
run     font     Liberation_Sans          fonts-liberation2  the font Liberation Sans, which the window is laid out for
run     font     DejaVu_Sans              fonts-dejavu-core  the font DejaVu Sans, used where Liberation Sans lacks a glyph
package debian   dpkg-deb                 dpkg               dpkg-deb, which builds the Debian package
package debian   dpkg-shlibdeps           dpkg-dev           dpkg-shlibdeps, which finds the package'\''s dependencies
package command  file                     file               file, which CPack asks what the program is
test    command  Xvfb                     xvfb               Xvfb, the tests'\'' X server
test    command  xauth                    xauth              xauth, which writes X cookies
test    command  xdotool                  xdotool            xdotool, which moves the pointer and types
test    command  xdpyinfo                 x11-utils          xdpyinfo, which asks the X server
test    command  xwininfo                 x11-utils          xwininfo, which measures windows
test    command  xrdb                     x11-xserver-utils  xrdb, which sets the X resources
test    command  import                   imagemagick        ImageMagick'\''s import, which takes screenshots
test    command  compare                  imagemagick        ImageMagick'\''s compare, which compares pictures
test    command  identify                 imagemagick        ImageMagick'\''s identify, which reads pictures
test    command  fc-match                 fontconfig         fc-match, which tells the font used
test    command  desktop-file-validate    desktop-file-utils desktop-file-validate, which checks the desktop entry
test    command  appstreamcli             appstream          appstreamcli, which checks the metainfo
test    command  groff                    groff-base         groff, which renders the manual page
test    command  mandoc                   mandoc             mandoc, which checks the manual page
test    command  reuse                    reuse              reuse, which checks the licences
test    command  git                      git                git, which makes the source release
test    command  dbus-daemon              dbus-daemon        dbus-daemon, the tests'\'' session bus
test    command  clang-format             clang-format       clang-format, which checks the sources'\'' format
test    python   Xlib                     python3-xlib       the Python module Xlib, which reads the screen
test    python   pyatspi                  python3-pyatspi    the Python module pyatspi, which reads the accessibility bus
test    typelib  Atspi-2.0                gir1.2-atspi-2.0   the Atspi 2.0 typelib, which pyatspi uses
test    libexec  at-spi-bus-launcher      at-spi2-core       at-spi-bus-launcher, which starts the accessibility bus
test    qtplugin platforms/libqwayland*.so qt6-wayland     Qt'\''s Wayland platform plugin
test    debian   hardening-check          devscripts         hardening-check, which checks the protections
test    debian   lintian                  lintian            lintian, which checks the Debian package
test    debian   dpkg-parsechangelog      dpkg-dev           dpkg-parsechangelog, which reads the changelog
test    debian   dpkg-buildflags          dpkg-dev           dpkg-buildflags, which gives Debian'\''s build flags
test    debian   dpkg-query               dpkg               dpkg-query, which finds the packages of libraries
bench   cmake    benchmark                libbenchmark-dev   Google Benchmark, its CMake package
'

case "${1:-}" in
    run) purposes="run" why="to build and run the program" ;;
    package) purposes="run package" why="to build the program and its Debian package" ;;
    test) purposes="run package test" why="to build the program and run its tests" ;;
    bench) purposes="run package test bench" why="to build the program and run its benchmarks" ;;
    *) echo "usage: install-deps.sh run|package|test|bench" >&2; exit 2 ;;
esac
python=${KLAPPOMATIKUS_TEST_PYTHON:-/usr/bin/python3}
libexec_dirs=${KLAPPOMATIKUS_LIBEXEC_DIRS:-/usr/libexec /usr/lib/at-spi2-core /usr/lib}
# Where CMake looks for packages (and Qt keeps its plugins) by default.
prefixes="$(echo "${CMAKE_PREFIX_PATH:-}" | tr : ' ') /usr/local /usr"

has_command() {
    for alternative in $(echo "$1" | tr '|' ' '); do
        command -v "$alternative" >/dev/null 2>&1 && return 0
    done
    return 1
}
has_file() {
    for candidate in "$@"; do
        [ -e "$candidate" ] && return 0
    done
    return 1
}
has_cmake_package() {
    for prefix in $prefixes; do
        has_file "$prefix"/lib/*/cmake/"$1"/*onfig.cmake "$prefix"/lib*/cmake/"$1"/*onfig.cmake \
                 "$prefix"/share/cmake/"$1"/*onfig.cmake && return 0
    done
    return 1
}
has_qt_plugin() {
    for prefix in $prefixes; do
        # shellcheck disable=SC2086
        has_file "$prefix"/lib/*/qt6/plugins/$1 "$prefix"/lib*/qt6/plugins/$1 \
                 "$prefix"/plugins/$1 && return 0
    done
    for dir in $(echo "${QT_PLUGIN_PATH:-}" | tr : ' '); do
        # shellcheck disable=SC2086
        has_file "$dir"/$1 && return 0
    done
    return 1
}
# One start of the tests' Python answers for every module: it prints those
# it cannot load.
python_missing=""
python_checked=no
python_lacks() {
    if [ "$python_checked" = no ]; then
        python_checked=yes
        modules=$(echo "$rows" | awk '$2 == "python" || $2 == "typelib" {print $2 ":" $3}')
        # shellcheck disable=SC2086
        python_missing=$("$python" -c '
import importlib, sys
for entry in sys.argv[1:]:
    kind, name = entry.split(":")
    try:
        if kind == "typelib":
            import gi
            gi.require_version(*name.split("-"))
            importlib.import_module("gi.repository." + name.split("-")[0])
        else:
            importlib.import_module(name)
    except Exception:
        print(entry)
' $modules 2>/dev/null) || python_missing=$modules
    fi
    echo "$python_missing" | grep -qx "$1"
}

rows=$(echo "$table" | awk -v purposes=" $purposes " 'NF && index(purposes, " " $1 " ")')
has_apt=no
command -v apt-get >/dev/null 2>&1 && has_apt=yes

missing=""
newline='
'
while read -r _ kind name package what; do
    case $kind in
        command) has_command "$name" ;;
        debian)
            # Elsewhere than Debian, only the package itself needs them.
            [ "$has_apt" = yes ] || [ "$1" = package ] || continue
            has_command "$name" ;;
        python | typelib) ! python_lacks "$kind:$name" ;;
        cmake) has_cmake_package "$name" ;;
        qtplugin) has_qt_plugin "$name" ;;
        libexec)
            for dir in $libexec_dirs; do
                [ -x "$dir/$name" ] && break
            done ;;
        font) command -v fc-list >/dev/null 2>&1 && fc-list -q "$(echo "$name" | tr _ ' ')" ;;
    esac && continue
    missing="$missing$package $what$newline"
done <<EOF
$rows
EOF
[ -z "$missing" ] && exit 0

if [ "$has_apt" = no ]; then
    echo "$missing" | while read -r package what; do
        if [ -n "$package" ]; then echo "install-deps: missing $what (Debian package $package)" >&2; fi
    done
    echo "install-deps: install these $why, then start again" >&2
    exit 1
fi

packages=$(echo "$missing" | awk 'NF {print $1}' | sort -u | tr '\n' ' ')
packages=${packages% }
if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "install-deps: missing packages: $packages; run as root or install sudo" >&2
    exit 1
fi

echo "install-deps: installing $packages ($why)"
export DEBIAN_FRONTEND=noninteractive
install() {
    # shellcheck disable=SC2086
    $as_root apt-get install -y -qq --no-install-recommends $packages >/dev/null
}
# A fresh system may not have the package lists yet, or old ones.
if ! install 2>/dev/null; then
    $as_root apt-get update -qq
    install
fi
