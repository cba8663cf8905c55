#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Flags given to make reach an existing build tree: `make configure` with
# one homepage and then another must leave the second in CMake's cache and
# in the header the program is built with.
# Usage: check-make-flags.sh <source dir>
set -eu
source=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

homepage_in_cache() {
    sed -n 's/^KLAPPOMATIKUS_HOMEPAGE:STRING=//p' "$tree/CMakeCache.txt"
}
for homepage in https://first.example https://second.example; do
    make -s -C "$source" configure BUILD_DIR="$tree" \
        CMAKE_FLAGS="-DKLAPPOMATIKUS_HOMEPAGE=$homepage" >"$tree.log" 2>&1 ||
        { cat "$tree.log"; rm -f "$tree.log"; exit 1; }
    rm -f "$tree.log"
    cached=$(homepage_in_cache)
    [ "$cached" = "$homepage" ] ||
        { echo "FAIL: after CMAKE_FLAGS with $homepage the cache holds '$cached'"; exit 1; }
    grep -qxF "#define KLAPPOMATIKUS_HOMEPAGE \"$homepage\"" "$tree/app/config-klappomatikus.h" ||
        { echo "FAIL: the program is not built with $homepage"; exit 1; }
    echo "CMAKE_FLAGS set the homepage to $cached"
done
# Without flags an existing tree is left as it is.
make -s -C "$source" configure BUILD_DIR="$tree" >/dev/null
[ "$(homepage_in_cache)" = https://second.example ] || { echo "FAIL: a plain make changed the tree"; exit 1; }
