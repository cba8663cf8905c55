#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into a temporary prefix and checks what a desktop sees:
# the program, a valid desktop entry, valid AppStream metainfo and every
# themed icon at the size its directory claims, all named after the
# application id and all rendered from the scalable drawing installed beside
# them (the drawing the window icon is rendered from, too). Debian's
# documentation files are the package's alone.
# Usage: check-install.sh <build dir> <application id> <sizes...>
set -eu
build=$1 app_id=$2
shift 2

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/klappomatikus" ] || fail "bin/klappomatikus is missing or not executable"

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
icons=$prefix/share/icons/hicolor

# The desktop entry's validator must stay silent: any line it prints is a
# warning or an error.
if [ -f "$desktop" ]; then
    out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
    [ -z "$out" ] || fail "desktop-file-validate printed: $out"
    echo "desktop-file-validate: ${out:-(no output)}"
    # The entry launches what was installed, by its full path outside the
    # search path, and names the themed icon.
    exec_line=$(sed -n 's/^Exec=//p' "$desktop")
    [ "$exec_line" = "$prefix/bin/klappomatikus" ] ||
        fail "Exec=$exec_line is not the installed $prefix/bin/klappomatikus"
    # English defaults, as in the metainfo, each with its German translation.
    summary=$(sed -n 's|^ *<summary>\(.*\)</summary>|\1|p' "$metainfo" 2>/dev/null || true)
    summary_de=$(sed -n 's|^ *<summary xml:lang="de">\(.*\)</summary>|\1|p' "$metainfo" 2>/dev/null || true)
    grep -qxF "Comment=$summary" "$desktop" || fail "Comment is not the metainfo's summary '$summary'"
    grep -qxF "Comment[de]=$summary_de" "$desktop" ||
        fail "Comment[de] is not the metainfo's German summary '$summary_de'"
    for key in GenericName Keywords; do
        default=$(sed -n "s/^$key=//p" "$desktop")
        german=$(sed -n "s/^$key\[de\]=//p" "$desktop")
        [ -n "$default" ] && [ -n "$german" ] && [ "$default" != "$german" ] ||
            fail "$key lacks an English default ('$default') or its German translation ('$german')"
    done
    grep -qx "Icon=$app_id" "$desktop" || fail "desktop entry does not use Icon=$app_id"
    grep -qx "Terminal=false" "$desktop" || fail "desktop entry lacks Terminal=false"
else
    fail "$desktop is missing"
fi

if [ -f "$metainfo" ]; then
    # Errors (E:) and warnings (W:) fail. Info (I:) and pedantic (P:) hints
    # are allowed: each release of the validator adds some of its own
    # (Debian 13's asks for a <developer> element that Debian 12's does not
    # know yet), and --strict would fail on them there.
    out=$(appstreamcli validate --no-net "$metainfo" 2>&1) ||
        fail "appstreamcli validate failed: $out"
    echo "appstreamcli validate --no-net: $out"
    echo "$out" | grep -E '^[EW]: ' && fail "appstreamcli validate reports errors or warnings"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $app_id.desktop"
else
    fail "$metainfo is missing"
fi

svg=$icons/scalable/apps/$app_id.svg
[ -f "$svg" ] || fail "scalable icon $svg is missing"

[ ! -e "$prefix/share/doc" ] || fail "cmake --install wrote Debian's documentation files"

for size in "$@"; do
    png=$icons/${size}x${size}/apps/$app_id.png
    if [ ! -f "$png" ]; then
        fail "icon $png is missing"
        continue
    fi
    actual=$(identify -format '%m %wx%h' "$png")
    [ "$actual" = "PNG ${size}x${size}" ] || fail "$png is $actual, expected PNG ${size}x${size}"
    [ -f "$svg" ] || continue
    # The scalable icon is the drawing the PNGs were made from: rendered at
    # the PNG's size it gives the PNG exactly.
    rendered=$prefix/rendered-$size.png
    rsvg-convert -w "$size" -h "$size" -o "$rendered" "$svg"
    same=$(sh "$(dirname "$0")/../support/same-pixels.sh" "$rendered" "$png") ||
        fail "the icon is not the scalable drawing rendered: $same"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed tree is complete and valid"
