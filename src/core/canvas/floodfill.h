#pragma once
// Exact-colour surface flood fill: the 4-connected region of pixels that have
// exactly the seed colour and contain the start pixel is painted. Works on
// scan lines of 32-bit images.

#include <QImage>
#include <QRect>

namespace garabix {

// Fills on `image` and writes the same spans into `mirror` when it is given
// (same size and format). Returns the bounding rectangle of what was painted;
// empty when the start is outside, its colour differs from the seed, or the
// fill colour equals the seed.
QRect floodFill(QImage &image, int x, int y, QRgb seed, QRgb fill, QImage *mirror = nullptr);

} // namespace garabix
