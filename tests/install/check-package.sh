#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package with CPack into a temporary directory and checks
# its control data and contents: the dependencies computed from the shared
# libraries the program links, and the installed tree under /usr.
# Usage: check-package.sh <build dir> <application id> <version>
set -eu
build=$1 app_id=$2 version=$3

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
    cat "$out/cpack.log"
    exit 1
}
deb=$out/klappomatikus_${version}_amd64.deb
[ -f "$deb" ] || deb=$(ls "$out"/klappomatikus_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] && [ -f "$deb" ] || { echo "FAIL: no package in $out"; ls "$out"; exit 1; }

[ "$(dpkg-deb -f "$deb" Package)" = klappomatikus ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Every shared library the program is linked against must be covered.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation2; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$package\( (.*)\)\? *$" ||
        fail "Depends lacks $package"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/klappomatikus \
            ./usr/share/applications/$app_id.desktop \
            ./usr/share/metainfo/$app_id.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/$app_id.svg \
            ./usr/share/icons/hicolor/256x256/apps/$app_id.png \
            ./usr/share/icons/hicolor/16x16/apps/$app_id.png; do
    echo "$contents" | grep -qx "$path" || fail "package lacks $path"
done

# The packaged program is stripped and runs: unpacked, it starts far enough
# to report that there is no display.
root=$out/root
dpkg-deb -x "$deb" "$root"
file "$root/usr/bin/klappomatikus" | grep -q 'not stripped' && fail "program is not stripped"
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/klappomatikus" 2>&1) && status=0 || status=$?
[ "$status" -eq 1 ] && [ -n "$message" ] ||
    fail "unpacked program did not start (status $status: $message)"

[ "$failures" -eq 0 ] || exit 1
echo "package $(basename "$deb") is complete"
