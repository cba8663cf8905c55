#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Whether two pictures show the same pixels: exits 0 when they do, and 1
# when they do not, saying so in one line. ImageMagick's pixel signature
# answers alike in every version; compare's count of differing pixels, whose
# wording changed between ImageMagick 6 and 7, is only shown, never read.
# Usage: same-pixels.sh <picture> <picture>
set -eu
[ $# -eq 2 ] || { echo "usage: same-pixels.sh <picture> <picture>" >&2; exit 2; }

# Size and signature of each; equal pictures give one line twice.
seen=$(identify -format '%wx%h %#\n' "$1" "$2")
[ "$(printf '%s\n' "$seen" | sort -u | wc -l)" -eq 1 ] && exit 0

sizes=$(printf '%s\n' "$seen" | cut -d' ' -f1 | tr '\n' ' ')
counted=$(compare -metric AE "$1" "$2" null: 2>&1 | head -1) || true
echo "$1 and $2 differ (sizes ${sizes% }; differing pixels by compare: ${counted:-none said})"
exit 1
