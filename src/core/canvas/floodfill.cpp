#include "core/canvas/floodfill.h"

#include <algorithm>
#include <vector>

namespace garabix {

QRect floodFill(QImage &image, int x, int y, QRgb seed, QRgb fill, QImage *mirror)
{
    const int w = image.width();
    const int h = image.height();
    if (x < 0 || y < 0 || x >= w || y >= h)
        return {};
    // Compare colours only; the alpha byte is always opaque in our images.
    const QRgb seedRgb = seed | 0xFF000000u;
    const QRgb fillRgb = fill | 0xFF000000u;
    if (seedRgb == fillRgb)
        return {};
    auto row = [&](int yy) { return reinterpret_cast<QRgb *>(image.scanLine(yy)); };
    if (row(y)[x] != seedRgb)
        return {};
    const bool mirrored = mirror && mirror->size() == image.size() && mirror->depth() == 32;
    auto mirrorRow = [&](int yy) { return reinterpret_cast<QRgb *>(mirror->scanLine(yy)); };

    int minX = x, maxX = x, minY = y, maxY = y;
    struct Seed {
        int x, y;
    };
    std::vector<Seed> stack;
    stack.push_back({x, y});

    // Pushes one seed for each run of seed-coloured pixels in [l, r] on row yy.
    auto scanRow = [&](int yy, int l, int r) {
        const QRgb *p = row(yy);
        int i = l;
        while (i <= r) {
            while (i <= r && p[i] != seedRgb)
                ++i;
            if (i > r)
                break;
            stack.push_back({i, yy});
            while (i <= r && p[i] == seedRgb)
                ++i;
        }
    };

    while (!stack.empty()) {
        const Seed s = stack.back();
        stack.pop_back();
        QRgb *p = row(s.y);
        if (p[s.x] != seedRgb)
            continue;
        int l = s.x;
        int r = s.x;
        while (l > 0 && p[l - 1] == seedRgb)
            --l;
        while (r < w - 1 && p[r + 1] == seedRgb)
            ++r;
        std::fill(p + l, p + r + 1, fillRgb);
        if (mirrored)
            std::fill(mirrorRow(s.y) + l, mirrorRow(s.y) + r + 1, fillRgb);
        minX = std::min(minX, l);
        maxX = std::max(maxX, r);
        minY = std::min(minY, s.y);
        maxY = std::max(maxY, s.y);
        if (s.y > 0)
            scanRow(s.y - 1, l, r);
        if (s.y < h - 1)
            scanRow(s.y + 1, l, r);
    }
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

} // namespace garabix
