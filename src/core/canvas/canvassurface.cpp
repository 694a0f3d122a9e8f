#include "core/canvas/canvassurface.h"

#include "core/canvas/floodfill.h"
#include "core/canvas/maskedblit.h"
#include "core/text/numeric.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace garabix {

namespace {

QPoint roundPoint(QPointF p) {
    return {static_cast<int>(std::clamp(roundToInt(p.x()), -1000000LL, 1000000LL)),
            static_cast<int>(std::clamp(roundToInt(p.y()), -1000000LL, 1000000LL))};
}

QPen strokePen(Stroke stroke) {
    return QPen(QColor::fromRgb(toRgb(stroke.colour)), stroke.width, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

QBrush brush(std::optional<ColourWord> fill) {
    return fill ? QBrush(QColor::fromRgb(toRgb(*fill))) : QBrush(Qt::NoBrush);
}

constexpr int maxTransientRects = 16;

// The rectangle with these two opposite corners, both included, whatever
// their order (QRect::normalized() treats inverted corners as exclusive).
QRect spanRect(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

QImage blankImage(QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // A 4K canvas spans 8,000 small pages, and a tall stroke or a fill walks
    // down through a different page on every row; huge pages keep those walks
    // out of the page tables. Asked for before the first touch of the memory.
    constexpr uintptr_t huge = 2u << 20;
    const auto begin = reinterpret_cast<uintptr_t>(image.bits());
    const uintptr_t first = (begin + huge - 1) & ~(huge - 1);
    const uintptr_t last = (begin + static_cast<uintptr_t>(image.sizeInBytes())) & ~(huge - 1);
    if (last > first)
        madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
#endif
    image.fill(colour);
    return image;
}

CanvasSurface::CanvasSurface(QSize size) {
    resize(size);
}

void CanvasSurface::resize(QSize size) {
    if (size.width() < 1 || size.height() < 1)
        size = QSize(1, 1);
    persistentImage = blankImage(size, toRgb(background));
    screenImage = blankImage(size, toRgb(background));
    transient.clear();
    tilesX = (size.width() + tileSize - 1) / tileSize;
    tilesY = (size.height() + tileSize - 1) / tileSize;
    dirty.assign(static_cast<size_t>(tilesX) * tilesY, 1);
    ++revision;
    notify(rect());
}

template <typename Paint> void CanvasSurface::draw(Layer layer, QRect bounds, Paint &&paint) {
    bounds &= rect();
    if (bounds.isEmpty())
        return;
    auto paintOn = [&](QImage &image) {
        QPainter p(&image);
        p.setClipRect(bounds);
        p.setRenderHint(QPainter::Antialiasing, false);
        paint(p);
    };
    onLayers(layer, bounds, paintOn);
}

template <typename Change>
void CanvasSurface::onLayers(Layer layer, const QRect &r, Change &&change) {
    if (r.isEmpty())
        return;
    change(screenImage);
    linesOver(screenImage, r);
    if (layer == Layer::Keep) {
        change(persistentImage);
        linesOver(persistentImage, r);
        markDirty(r);
    } else {
        addTransient(r);
    }
    notify(r);
}

void CanvasSurface::changeInPlace(const std::function<QRect(QImage &)> &change) {
    changePartsInPlace(
        [&change](QImage &image, std::vector<QRect> &parts) { parts.push_back(change(image)); });
}

void CanvasSurface::changePartsInPlace(
    const std::function<void(QImage &, std::vector<QRect> &)> &change) {
    std::vector<QRect> parts;
    change(persistentImage, parts);
    for (const QRect &part : parts) {
        const QRect r = part & rect();
        if (r.isEmpty())
            continue;
        linesOver(persistentImage, r);
        copyPersistentToScreen(r);
        markDirty(r);
        notify(r);
    }
}

void CanvasSurface::line(Layer layer, QPointF a, QPointF b, Stroke stroke) {
    const QPoint p1 = roundPoint(a);
    const QPoint p2 = roundPoint(b);
    if (p1 == p2) {
        dot(layer, p1, stroke);
        return;
    }
    const int m = stroke.width / 2 + 2;
    const QRect bounds = spanRect(p1, p2).adjusted(-m, -m, m, m);
    draw(layer, bounds, [&](QPainter &p) {
        p.setPen(strokePen(stroke));
        p.drawLine(p1, p2);
    });
}

void CanvasSurface::box(Layer layer, QPointF a, QPointF b, Stroke stroke,
                        std::optional<ColourWord> fill) {
    const QPoint p1 = roundPoint(a);
    const QPoint p2 = roundPoint(b);
    const QRect r = spanRect(p1, p2);
    const int m = stroke.width / 2 + 2;
    draw(layer, r.adjusted(-m, -m, m, m), [&](QPainter &p) {
        p.setPen(QPen(QColor::fromRgb(toRgb(stroke.colour)), stroke.width, Qt::SolidLine,
                      Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(brush(fill));
        if (r.width() == 0 || r.height() == 0)
            p.drawLine(r.topLeft(), r.bottomRight());
        else
            p.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
    });
}

void CanvasSurface::ellipse(Layer layer, QPointF centre, double rx, double ry, Stroke stroke,
                            std::optional<ColourWord> fill) {
    rx = std::abs(rx);
    ry = std::abs(ry);
    if (!std::isfinite(rx) || !std::isfinite(ry) || rx > 1e6 || ry > 1e6)
        return;
    const QPoint tl = roundPoint(QPointF(centre.x() - rx, centre.y() - ry));
    const QPoint br = roundPoint(QPointF(centre.x() + rx, centre.y() + ry));
    const QRect r(tl, br);
    const int m = stroke.width / 2 + 2;
    draw(layer, r.adjusted(-m, -m, m, m), [&](QPainter &p) {
        p.setPen(strokePen(stroke));
        p.setBrush(brush(fill));
        if (r.width() == 0 || r.height() == 0)
            p.drawLine(tl, br);
        else
            p.drawEllipse(QRect(tl, QSize(br.x() - tl.x(), br.y() - tl.y())));
    });
}

void CanvasSurface::dot(Layer layer, QPointF pt, Stroke stroke) {
    const QPoint p0 = roundPoint(pt);
    if (stroke.width <= 1) {
        // One pixel: written directly, the common case of a spray burst.
        if (!rect().contains(p0))
            return;
        const QRgb rgb = toRgb(stroke.colour);
        onLayers(layer, QRect(p0, QSize(1, 1)), [&](QImage &image) {
            reinterpret_cast<QRgb *>(image.scanLine(p0.y()))[p0.x()] = rgb;
        });
        return;
    }
    const int m = stroke.width / 2 + 2;
    draw(layer, QRect(p0, p0).adjusted(-m, -m, m, m), [&](QPainter &p) {
        p.setPen(strokePen(stroke));
        p.drawPoint(p0);
    });
}

long CanvasSurface::readPixel(double x, double y) const {
    const QPoint p = roundPoint(QPointF(x, y));
    if (!rect().contains(p))
        return -1;
    return static_cast<long>(fromRgb(screenImage.pixel(p)));
}

void CanvasSurface::floodFill(Layer layer, double x, double y, ColourWord seed, ColourWord fill) {
    const QPoint p = roundPoint(QPointF(x, y));
    // A colouring page's lines are a wall for the fill.
    const auto fillOn = [&](QImage &image, QImage *mirror) {
        return lines ? lines->fillWithin(image, p, toRgb(seed), toRgb(fill), mirror)
                     : garabix::floodFill(image, p.x(), p.y(), toRgb(seed), toRgb(fill), mirror);
    };
    QRect r;
    if (layer == Layer::Keep) {
        r = fillOn(persistentImage, &screenImage);
        markDirty(r);
    } else {
        r = fillOn(screenImage, nullptr);
        addTransient(r);
    }
    notify(r);
}

void CanvasSurface::linesOver(QImage &image, const QRect &r) const {
    if (lines)
        lines->drawOver(image, r);
}

void CanvasSurface::printText(Layer layer, QPointF topLeft, const QString &text, const QFont &font,
                              ColourWord colour) {
    if (text.isEmpty())
        return;
    const QFontMetricsF fm(font, &screenImage);
    const QRectF extent(topLeft, QSizeF(fm.horizontalAdvance(text), fm.height()));
    const int m = static_cast<int>(fm.maxWidth()) + 4;
    const QRect bounds = extent.toAlignedRect().adjusted(-m, -4, m, 4);
    draw(layer, bounds, [&](QPainter &p) {
        p.setFont(font);
        p.setPen(QColor::fromRgb(toRgb(colour)));
        p.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), text);
    });
}

void CanvasSurface::paintPictureAnd(Layer layer, const QImage &picture, int x, int y) {
    if (picture.isNull())
        return;
    const QImage src = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    // Combined row by row: the cost follows the picture, not the canvas.
    const QRect r = QRect(QPoint(x, y), src.size()) & rect();
    if (r.isEmpty())
        return;
    auto andInto = [&](QImage &target) {
        for (int row = r.top(); row <= r.bottom(); ++row) {
            const QRgb *s =
                reinterpret_cast<const QRgb *>(src.constScanLine(row - y)) + (r.left() - x);
            QRgb *d = reinterpret_cast<QRgb *>(target.scanLine(row)) + r.left();
            for (int i = 0; i < r.width(); ++i)
                d[i] &= s[i] | 0xFF000000u;
        }
    };
    onLayers(layer, r, andInto);
}

void CanvasSurface::paintPictureStretched(Layer layer, const QImage &picture,
                                          const QRectF &target) {
    if (picture.isNull() || target.isEmpty())
        return;
    draw(layer, target.toAlignedRect(), [&](QPainter &p) { p.drawImage(target, picture); });
}

void CanvasSurface::blitMasked(Layer layer, const QImage &picture, int sx, int sy, int w, int h,
                               int dx, int dy, ColourWord key) {
    if (w <= 0 || h <= 0 || picture.isNull())
        return;
    // The rectangle the blit writes: the target clipped to both surfaces.
    const QRect r =
        QRect(dx, dy, w, h) & rect() & QRect(dx - sx, dy - sy, picture.width(), picture.height());
    onLayers(layer, r,
             [&](QImage &image) { MaskedBlit(image, picture, sx, sy, w, h, dx, dy, key); });
}

void CanvasSurface::repaint() {
    if (transient.empty())
        return;
    const std::vector<QRect> rects = std::move(transient);
    transient.clear();
    for (const QRect &r : rects) {
        copyPersistentToScreen(r);
        notify(r);
    }
}

void CanvasSurface::setBackgroundPicture(const QImage &picture) {
    persistentImage.fill(toRgb(background));
    if (!picture.isNull()) {
        QPainter p(&persistentImage);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.drawImage(QPoint(0, 0), picture);
    }
    linesOver(persistentImage, rect());
    for (int y = 0; y < persistentImage.height(); ++y)
        std::memcpy(screenImage.scanLine(y), persistentImage.constScanLine(y),
                    static_cast<size_t>(persistentImage.width()) * sizeof(QRgb));
    transient.clear();
    markAllDirty();
    notify(rect());
}

void CanvasSurface::clearDirtyTiles() {
    std::fill(dirty.begin(), dirty.end(), 0);
}

void CanvasSurface::markAllDirty() {
    std::fill(dirty.begin(), dirty.end(), 1);
    ++revision;
}

void CanvasSurface::markDirty(const QRect &r0) {
    const QRect r = r0 & rect();
    if (r.isEmpty())
        return;
    ++revision;
    for (int ty = r.top() / tileSize; ty <= r.bottom() / tileSize; ++ty)
        for (int tx = r.left() / tileSize; tx <= r.right() / tileSize; ++tx)
            dirty[static_cast<size_t>(ty) * tilesX + tx] = 1;
}

void CanvasSurface::writeTile(int tx, int ty, const QRgb *pixels) {
    const QRect tile(tx * tileSize, ty * tileSize, tileSize, tileSize);
    const QRect r = tile & rect();
    if (r.isEmpty())
        return;
    ++revision;
    const size_t bytes = static_cast<size_t>(r.width()) * sizeof(QRgb);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const QRgb *src = pixels + static_cast<size_t>(y - tile.top()) * tileSize;
        std::memcpy(reinterpret_cast<QRgb *>(persistentImage.scanLine(y)) + r.left(), src, bytes);
        std::memcpy(reinterpret_cast<QRgb *>(screenImage.scanLine(y)) + r.left(), src, bytes);
    }
}

void CanvasSurface::fillTile(int tx, int ty, QRgb colour) {
    const QRect r = QRect(tx * tileSize, ty * tileSize, tileSize, tileSize) & rect();
    ++revision;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb *p = reinterpret_cast<QRgb *>(persistentImage.scanLine(y)) + r.left();
        QRgb *q = reinterpret_cast<QRgb *>(screenImage.scanLine(y)) + r.left();
        std::fill(p, p + r.width(), colour);
        std::fill(q, q + r.width(), colour);
    }
}

void CanvasSurface::notifyAll() {
    transient.clear();
    notify(rect());
}

void CanvasSurface::notify(const QRect &r) {
    if (onUpdate && !r.isEmpty())
        onUpdate(r);
}

void CanvasSurface::addTransient(const QRect &r) {
    if (r.isEmpty())
        return;
    for (QRect &t : transient) {
        if (t.contains(r))
            return;
    }
    transient.push_back(r);
    if (static_cast<int>(transient.size()) > maxTransientRects) {
        QRect all;
        for (const QRect &t : transient)
            all |= t;
        transient.assign(1, all);
    }
}

void CanvasSurface::copyPersistentToScreen(const QRect &r0) {
    const QRect r = r0 & rect();
    if (r.isEmpty())
        return;
    const size_t bytes = static_cast<size_t>(r.width()) * sizeof(QRgb);
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb *>(screenImage.scanLine(y)) + r.left(),
                    reinterpret_cast<const QRgb *>(persistentImage.constScanLine(y)) + r.left(),
                    bytes);
}

} // namespace garabix
