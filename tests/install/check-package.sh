#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package with CPack into a temporary directory and checks
# its control data and contents: the dependencies computed from the shared
# libraries the program links, and the installed tree under /usr.
# Exits 77 (skipped) where Debian's package tools are not installed.
# Usage: check-package.sh <build dir> <application id> <version>
set -eu
build=$1 app_id=$2 version=$3

for tool in dpkg-deb dpkg-query dpkg-shlibdeps; do
    if ! command -v $tool >/dev/null; then
        echo "SKIP: $tool is not installed (Debian's package tools: dpkg, dpkg-dev)"
        exit 77
    fi
done

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

# The homepage link needs xdg-open, which the program can do without.
[ "$(dpkg-deb -f "$deb" Recommends)" = xdg-utils ] || fail "Recommends is not xdg-utils"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The names of the dependencies are left to dpkg-shlibdeps, and they differ
# between releases (Debian 13's Qt packages end in t64); what is checked is
# that they cover the program: the package that brings each library the
# program links, and the one that brings its font, must be among them.
depended=$(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/:any//; s/ //g' | grep -v '^$')
owner() {
    # dpkg knows a file by the path its package ships, with or without the
    # /usr that merged-/usr systems put in front.
    for path in "$1" "$(realpath "$1")" "${1#/usr}" "/usr${1#/usr}"; do
        found=$(dpkg-query -S "$path" 2>/dev/null | head -1 | cut -d: -f1) && [ -n "$found" ] &&
            { echo "$found"; return; }
    done
}
covered() {
    what=$1 path=$2
    package=$(owner "$path")
    if [ -z "$package" ]; then
        fail "no installed package owns $path ($what)"
    elif echo "$depended" | grep -qx "$package"; then
        echo "covered: $what ($path) by $package"
    else
        fail "Depends does not cover $what: $path belongs to $package"
    fi
}
program=$out/program/usr/bin/klappomatikus
dpkg-deb -x "$deb" "$out/program"
needed=$(objdump -p "$program" | awk '$1 == "NEEDED" {print $2}')
[ -n "$needed" ] || fail "found no linked libraries in the program"
for library in $needed; do
    path=$(ldd "$program" | awk -v lib="$library" '$1 == lib {print $3}')
    [ -n "$path" ] || { fail "$library does not resolve here"; continue; }
    covered "$library" "$path"
done
font=$(fc-match -f '%{file}' "Liberation Sans")
case "$font" in
    *LiberationSans*) covered "the font Liberation Sans" "$font" ;;
    *) fail "Liberation Sans is not installed (fc-match gives $font)" ;;
esac

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/klappomatikus \
            ./usr/share/applications/$app_id.desktop \
            ./usr/share/metainfo/$app_id.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/$app_id.svg \
            ./usr/share/icons/hicolor/256x256/apps/$app_id.png \
            ./usr/share/icons/hicolor/16x16/apps/$app_id.png \
            ./usr/share/doc/klappomatikus/copyright \
            ./usr/share/doc/klappomatikus/changelog.gz; do
    echo "$contents" | grep -qx "$path" || fail "package lacks $path"
done

# The packaged program is stripped and runs: unpacked, it starts far enough
# to report that there is no display. Its desktop entry starts it by name,
# /usr/bin being on every search path.
root=$out/root
dpkg-deb -x "$deb" "$root"
grep -qx Exec=klappomatikus "$root/usr/share/applications/$app_id.desktop" ||
    fail "the desktop entry does not start klappomatikus by name"
file "$root/usr/bin/klappomatikus" | grep -q 'not stripped' && fail "program is not stripped"
readelf -S "$root/usr/bin/klappomatikus" | grep -q '\.comment' && fail "program keeps its .comment section"
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/klappomatikus" 2>&1) && status=0 || status=$?
[ "$status" -eq 1 ] && [ -n "$message" ] ||
    fail "unpacked program did not start (status $status: $message)"

[ "$failures" -eq 0 ] || exit 1
echo "package $(basename "$deb") is complete"
