#pragma once
#include "core/canvas/colour.h"

#include <QImage>
#include <QRect>

namespace garabix {

// Copies the w x h rectangle at (sx, sy) of `source` to (dx, dy) of
// `destination`, leaving out every source pixel that equals `key` exactly,
// so that the destination shows through there. The rectangle is clipped to
// both images; a width or height of 0 or less changes nothing. Returns the
// destination rectangle that was written.
QRect MaskedBlit(QImage &destination, const QImage &source, int sx, int sy, int w, int h, int dx,
                 int dy, ColourWord key);

} // namespace garabix
