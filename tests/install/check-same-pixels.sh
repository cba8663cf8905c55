#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# The picture comparison the icon and high-dpi checks rely on: pictures
# with the same pixels are the same whatever their encoding, one pixel off
# or another size is a difference, and compare's wording (ImageMagick 7
# writes "0 (0)" where 6 writes "0") decides nothing.
# Usage: check-same-pixels.sh <same-pixels.sh>
set -eu
same_pixels=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

convert -size 6x4 xc:'#c0c0c0' -fill red -draw 'point 2,1' "$work/a.png"
convert "$work/a.png" PNG8:"$work/palette.png"
convert "$work/a.png" -fill blue -draw 'point 5,3' "$work/off.png"
convert -size 6x5 xc:'#c0c0c0' -fill red -draw 'point 2,1' "$work/taller.png"
# A compare that answers as ImageMagick 7.1.2 does for equal pictures.
mkdir "$work/im7"
printf '#!/bin/sh\necho "0 (0)" >&2\n' >"$work/im7/compare"
chmod +x "$work/im7/compare"

# row: what, expected status, picture, picture[, PATH prefix]
row() {
    status=0
    PATH=${5:+$5:}$PATH sh "$same_pixels" "$work/$3" "$work/$4" >"$work/out" || status=$?
    if [ "$status" -ne "$2" ]; then
        echo "FAIL: $1: status $status, expected $2: $(cat "$work/out")"
        failures=$((failures + 1))
    fi
}
row "the same picture" 0 a.png a.png
row "the same pixels in a palette" 0 a.png palette.png
row "one pixel off" 1 a.png off.png
row "one row more" 1 a.png taller.png
row "the same pixels, compare in ImageMagick 7's words" 0 a.png palette.png "$work/im7"
row "one pixel off, compare in ImageMagick 7's words" 1 a.png off.png "$work/im7"

[ "$failures" -eq 0 ] || exit 1
echo "pictures compared by their pixels"
