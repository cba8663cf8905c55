#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into a temporary prefix and checks the manual page
# klappomatikus(6) there: groff (as `man -l` uses it) and mandoc must render
# it without a single warning, and the rendered page must carry the sections
# a reader looks for, the version and the homepage.
# Usage: check-manpage.sh <build dir> <version> <homepage>
set -eu
build=$1 version=$2 homepage=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null
page=$prefix/share/man/man6/klappomatikus.6.gz
[ -f "$page" ] || { echo "FAIL: cmake --install put no $page"; exit 1; }
gzip -t "$page" || fail "$page is not a valid gzip file"

# -ww enables every warning; -z formats without printing.
warnings=$(gzip -dc "$page" | groff -ww -z -man -Tutf8 2>&1) || fail "groff failed"
[ -z "$warnings" ] || fail "groff -ww warns: $warnings"
echo "groff -ww -z -man: ${warnings:-(no warning)}"
text=$(gzip -dc "$page" | groff -man -Tutf8 -P-cbou 2>/dev/null)
warnings=$(mandoc -T lint -W warning "$page" 2>&1) || fail "mandoc -T lint: $warnings"
echo "mandoc -T lint -W warning: ${warnings:-(no warning)}"

heading=$(echo "$text" | head -1)
echo "$heading" | grep -q '^KLAPPOMATIKUS(6) ' || fail "the page is not klappomatikus(6): $heading"
echo "$text" | tail -1 | grep -q "Klappomatikus $version" ||
    fail "the footer does not name version $version: $(echo "$text" | tail -1)"
for section in NAME SYNOPSIS DESCRIPTION "A ROUND" OPTIONS FILES "EXIT STATUS" HOMEPAGE; do
    echo "$text" | grep -qx "$section" || fail "no section $section"
done
echo "$text" | grep -q '^ *klappomatikus - ' || fail "NAME does not start with \"klappomatikus - \""
echo "$text" | sed -n '/^HOMEPAGE$/,/^[A-Z]/p' | grep -qF "$homepage" ||
    fail "the HOMEPAGE section does not give $homepage"

[ "$failures" -eq 0 ] || exit 1
echo "manual page $(basename "$page") renders cleanly"
