#include "core/grid/grid.h"

#include "core/text/numeric.h"

#include <algorithm>

namespace garabix {

namespace {

// nx and ny; zero for a spacing of 0 (the division fails) and never negative.
int cellsAlong(double extent, int spacing) {
    const auto q = intDiv(extent, spacing);
    return q ? static_cast<int>(std::max(0LL, *q)) : 0;
}

} // namespace

void buildGridLines(GridOverlay &g, int s, double W, double H, double OW, double OH) {
    g.spacing = s;
    g.lines.clear();
    g.lines.append(QLineF(s, 0, s, OH + 10));
    if (s == 0) {
        g.gridLineCount = 0;
        g.columns = 0;
        return;
    }
    const int nx = cellsAlong(W, s);
    const int ny = cellsAlong(H, s);
    g.columns = nx;
    g.rows = ny;
    g.lines.reserve(nx + ny + 1);
    for (int i = 1; i <= nx; ++i)
        g.lines.append(QLineF(double(i) * s, 0, double(i) * s, OH + 10));
    for (int r = 1; r <= ny; ++r)
        g.lines.append(QLineF(0, double(r) * s, OW + 10, double(r) * s));
    g.gridLineCount = static_cast<int>(g.lines.size());
}

void buildGridDots(GridOverlay &g, int s, double W, double H) {
    g.dots.clear();
    g.dots.append(QLineF(s, s, s, s));
    g.gridDotCount = 0;
    if (s == 0)
        return;
    const int nx = cellsAlong(W, s);
    const int ny = cellsAlong(H, s);
    g.spacing = s;
    g.columns = nx;
    g.rows = ny;
    const long long total =
        std::min<long long>(static_cast<long long>(nx) * ny, GridOverlay::maxDots);
    g.dots.reserve(static_cast<int>(total) + 1);
    int k = 0;
    for (int r = 1; r <= ny && k < GridOverlay::maxDots; ++r) {
        for (int c = 1; c <= nx && k < GridOverlay::maxDots; ++c) {
            ++k;
            g.dots.append(QLineF(double(c) * s, double(r) * s, double(c) * s + 1, double(r) * s));
        }
    }
    g.gridDotCount = k;
}

QVector<int> GridOverlay::linesCrossing(const QRect &r) const {
    QVector<int> out;
    if (spacing <= 0 || gridLineCount <= 1)
        return out;
    const int s = spacing;
    // Vertical line i sits at x = i * s (elements 1..nx), horizontal row r at
    // element nx + r.
    const int firstCol = std::max(1, (r.left() - 1) / s);
    const int lastCol = std::min(columns, (r.right() + 1) / s);
    for (int i = firstCol; i <= lastCol; ++i)
        if (i * s >= r.left() - 1 && i * s <= r.right() + 1)
            out.append(i);
    const int firstRow = std::max(1, (r.top() - 1) / s);
    const int lastRow = std::min(rows, (r.bottom() + 1) / s);
    for (int j = firstRow; j <= lastRow; ++j)
        if (j * s >= r.top() - 1 && j * s <= r.bottom() + 1 && columns + j < gridLineCount)
            out.append(columns + j);
    return out;
}

QVector<int> GridOverlay::dotsInside(const QRect &r) const {
    QVector<int> out;
    if (spacing <= 0 || gridDotCount <= 0 || columns <= 0)
        return out;
    const int s = spacing;
    const int firstCol = std::max(1, (r.left() - 2) / s);
    const int lastCol = std::min(columns, (r.right() + 2) / s + 1);
    const int firstRow = std::max(1, (r.top() - 2) / s);
    const int lastRow = std::min(rows, (r.bottom() + 2) / s + 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int c = firstCol; c <= lastCol; ++c) {
            const long long k = static_cast<long long>(row - 1) * columns + c;
            if (k > gridDotCount)
                return out;
            out.append(static_cast<int>(k));
        }
    }
    return out;
}

} // namespace garabix
