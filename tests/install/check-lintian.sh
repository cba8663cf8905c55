#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package with CPack into a temporary directory and runs
# Debian's checker on it: lintian must report no error and no warning.
# Informational tags are printed but do not fail, except, for a hardened
# build, those that say a protection is missing. Exits 77 (skipped) when
# lintian is not installed.
# Usage: check-lintian.sh <build dir> <hardened: yes|no> [package.deb]
# With a package given, checks that one instead of building.
set -eu
build=$1 hardened=$2

if ! command -v lintian >/dev/null; then
    echo "SKIP: lintian is not installed (Debian package lintian)"
    exit 77
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if [ $# -ge 3 ]; then
    deb=$3
else
    # Built under the umask many users have (002), so that the package's
    # permissions cannot depend on who builds it.
    (umask 002 && cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
        cat "$out/cpack.log"
        exit 1
    }
    deb=$(ls "$out"/klappomatikus_*.deb 2>/dev/null | head -1)
    [ -n "$deb" ] || { echo "FAIL: cpack made no package in $out"; ls "$out"; exit 1; }
fi

echo "lintian $(lintian --version | sed 's/^Lintian v//') on $(basename "$deb"):"
# Root is warned about on standard error; that is not a finding.
status=0
lintian --info --display-info --fail-on error,warning "$deb" >"$out/lintian.log" 2>"$out/lintian.err" ||
    status=$?
grep -v 'running with root privileges' "$out/lintian.err" >&2 || true
grep '^[EWI]: ' "$out/lintian.log" || echo "(no tags)"
findings=$(grep -c '^[EW]: ' "$out/lintian.log" || true)
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    echo "FAIL: lintian reports $findings errors or warnings (exit status $status)"
    sed -n '/^[EW]: /,/^N: *$/p' "$out/lintian.log" | grep -v '^N: *$' | head -60
    exit 1
fi
unprotected=$(grep '^I: .* hardening-' "$out/lintian.log" || true)
if [ "$hardened" = yes ] && [ -n "$unprotected" ]; then
    echo "FAIL: the program lacks protections: $unprotected"
    exit 1
fi
echo "lintian: no error, no warning"
