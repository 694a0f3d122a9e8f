#include "core/canvas/maskedblit.h"

#include <algorithm>

namespace garabix {

QRect MaskedBlit(QImage &destination, const QImage &source0, int sx, int sy, int w, int h, int dx,
                 int dy, ColourWord key) {
    if (w <= 0 || h <= 0 || destination.isNull() || source0.isNull())
        return {};
    const QImage source =
        source0.format() == QImage::Format_RGB32 || source0.format() == QImage::Format_ARGB32
            ? source0
            : source0.convertToFormat(QImage::Format_RGB32);
    // Clip against the source, then against the destination, moving both corners together.
    int x0 = 0, y0 = 0, x1 = w, y1 = h; // offsets inside the rectangle
    x0 = std::max({x0, -sx, -dx});
    y0 = std::max({y0, -sy, -dy});
    x1 = std::min({x1, source.width() - sx, destination.width() - dx});
    y1 = std::min({y1, source.height() - sy, destination.height() - dy});
    if (x0 >= x1 || y0 >= y1)
        return {};
    const QRgb keyRgb = toRgb(key) & 0x00FFFFFFu;
    for (int oy = y0; oy < y1; ++oy) {
        const QRgb *src = reinterpret_cast<const QRgb *>(source.constScanLine(sy + oy)) + sx;
        QRgb *dst = reinterpret_cast<QRgb *>(destination.scanLine(dy + oy)) + dx;
        for (int ox = x0; ox < x1; ++ox) {
            const QRgb p = src[ox] & 0x00FFFFFFu;
            if (p != keyRgb)
                dst[ox] = p | 0xFF000000u;
        }
    }
    return QRect(dx + x0, dy + y0, x1 - x0, y1 - y0);
}

} // namespace garabix
