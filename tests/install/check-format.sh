#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Every C++ file of the source tree as .clang-format lays it out. The
# sources are formatted with Debian 12's clang-format, version 14; other
# versions lay out the same file differently, so the check is skipped there.
# Usage: check-format.sh <source dir>
set -eu
cd "$1"
version=$(clang-format --version | sed -n 's/.*clang-format version \([0-9]*\)\..*/\1/p')
if [ "$version" != 14 ]; then
    echo "SKIP: clang-format ${version:-of unknown version} lays out code otherwise than 14," \
         "the version the sources are formatted with"
    exit 77
fi
find app platform stopwatch tests bench -name '*.cpp' -o -name '*.h' |
    xargs clang-format --dry-run -Werror
echo "the C++ sources are formatted"
