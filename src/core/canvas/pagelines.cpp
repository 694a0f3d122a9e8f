#include "core/canvas/pagelines.h"

#include "core/canvas/floodfill.h"

#include <algorithm>
#include <cstring>

namespace garabix {

namespace {

// A line pixel: at least half opaque, and darker than light grey once laid
// on white paper.
bool inked(QRgb premultiplied, QRgb &onWhite) {
    const int a = qAlpha(premultiplied);
    if (a < 128)
        return false;
    const int paper = 255 - a;
    const int r = qRed(premultiplied) + paper;
    const int g = qGreen(premultiplied) + paper;
    const int b = qBlue(premultiplied) + paper;
    if ((r * 11 + g * 16 + b * 5) / 32 >= 160)
        return false;
    onWhite = qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255));
    return true;
}

} // namespace

std::shared_ptr<const PageLines> PageLines::fromArt(const QImage &art) {
    auto lines = std::make_shared<PageLines>();
    if (art.isNull())
        return lines;
    const QImage src = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    lines->extent = src.size();
    lines->rowStart.reserve(static_cast<size_t>(src.height()) + 1);
    for (int y = 0; y < src.height(); ++y) {
        lines->rowStart.push_back(lines->runs.size());
        const QRgb *row = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        QRgb colour = 0;
        int x = 0;
        while (x < src.width()) {
            if (!inked(row[x], colour)) {
                ++x;
                continue;
            }
            Run run{x, x, lines->colours.size()};
            for (; x < src.width() && inked(row[x], colour); ++x)
                lines->colours.push_back(colour);
            run.x1 = x - 1;
            lines->runs.push_back(run);
        }
    }
    lines->rowStart.push_back(lines->runs.size());
    return lines;
}

bool PageLines::isLine(int x, int y) const {
    if (y < 0 || y >= extent.height())
        return false;
    const auto first = runs.begin() + static_cast<std::ptrdiff_t>(rowStart[size_t(y)]);
    const auto last = runs.begin() + static_cast<std::ptrdiff_t>(rowStart[size_t(y) + 1]);
    return std::any_of(first, last, [x](const Run &r) { return x >= r.x0 && x <= r.x1; });
}

template <typename Write>
void PageLines::eachRun(const QImage &image, QRect r, Write &&write) const {
    r &= QRect(QPoint(0, 0), extent) & image.rect();
    if (r.isEmpty() || image.depth() != 32)
        return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (size_t i = rowStart[size_t(y)]; i < rowStart[size_t(y) + 1]; ++i) {
            const Run &run = runs[i];
            if (run.x0 > r.right())
                break;
            const int from = std::max(run.x0, r.left());
            const int to = std::min(run.x1, r.right());
            if (from <= to)
                write(y, from, to, run.colour + size_t(from - run.x0));
        }
    }
}

void PageLines::drawOver(QImage &image, const QRect &r) const {
    eachRun(image, r, [&](int y, int from, int to, size_t colour) {
        std::memcpy(reinterpret_cast<QRgb *>(image.scanLine(y)) + from, colours.data() + colour,
                    static_cast<size_t>(to - from + 1) * sizeof(QRgb));
    });
}

void PageLines::eraseFrom(QImage &image) const {
    eachRun(image, image.rect(), [&](int y, int from, int to, size_t) {
        QRgb *p = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int beside = from > 0 ? from - 1 : to + 1;
        if (beside < image.width())
            std::fill(p + from, p + to + 1, p[beside]);
    });
}

// For the fill the lines take a colour that is neither the seed's nor the
// fill's, and are put back afterwards: under that wall a line is never the
// seed's colour.
QRect PageLines::fillWithin(QImage &image, QPoint p, QRgb seed, QRgb fill, QImage *mirror) const {
    QRgb wall = (seed ^ 0x000001u) | 0xFF000000u;
    if (wall == (fill | 0xFF000000u))
        wall ^= 0x000002u;
    paintAll(image, wall);
    const QRect r = floodFill(image, p.x(), p.y(), seed, fill, mirror);
    drawOver(image, image.rect());
    return r;
}

void PageLines::paintAll(QImage &image, QRgb colour) const {
    eachRun(image, image.rect(), [&](int y, int from, int to, size_t) {
        QRgb *p = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(p + from, p + to + 1, colour);
    });
}

} // namespace garabix
