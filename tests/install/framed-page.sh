#!/usr/bin/env bash
# Whether the one page of a PDF shows a whole frame: renders it in grey and
# checks that the dark pixels' bounding box has dark pixels along at least
# nine tenths of each of its four sides. Prints the page's size in pixels
# and the frame's box; exits non-zero when a side is missing.
# Usage: framed-page.sh <page.pdf> <scratch folder>
set -euo pipefail
pdftoppm -r 75 -gray -singlefile "$1" "$2/framed"
pgm="$2/framed.pgm"
read -r width height < <(head -c 64 "$pgm" | sed -n 2p)
header=$(head -c 64 "$pgm" | head -n 3 | wc -c)
tail -c +$((header + 1)) "$pgm" | od -An -v -tu1 -w"$width" | awk -v w="$width" -v h="$height" '
{
    for (x = 1; x <= NF; ++x) {
        dark[NR - 1, x - 1] = $x < 200
        if ($x < 200) {
            if (!found || x - 1 < left) left = x - 1
            if (!found || x - 1 > right) right = x - 1
            if (!found || NR - 1 < top) top = NR - 1
            if (!found || NR - 1 > bottom) bottom = NR - 1
            found = 1
        }
    }
}
function side(x0, y0, dx, dy, n,   i, k) {
    k = 0
    for (i = 0; i < n; ++i) k += dark[y0 + i * dy, x0 + i * dx]
    return k / n
}
END {
    if (!found) { print "nothing on the page"; exit 1 }
    printf "page %dx%d px, frame at (%d, %d) %dx%d\n", w, h, left, top, right - left + 1, bottom - top + 1
    n = right - left + 1; m = bottom - top + 1
    if (side(left, top, 1, 0, n) < 0.9 || side(left, bottom, 1, 0, n) < 0.9 ||
        side(left, top, 0, 1, m) < 0.9 || side(right, top, 0, 1, m) < 0.9) {
        print "a side of the frame is missing"; exit 1
    }
}'
