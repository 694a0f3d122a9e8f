#include "core/canvas/tools.h"

#include "core/app/numeric.h"

#include <cmath>

namespace garabix {

namespace {

// Runs a drawing with persistence on, then switches it off again.
template <typename Draw> QRect commit(CanvasSurface &c, Draw &&draw) {
    c.setPersistence(true);
    const QRect r = draw();
    c.setPersistence(false);
    return r;
}

struct Ellipse {
    QPointF centre;
    double rx, ry;
};

Ellipse ellipseFrom(const DrawingState &s, double x, double y) {
    double dx = x - s.startX;
    double dy = y - s.startY;
    if (dx == 0)
        dx = 0.1;
    if (dy == 0)
        dy = 0.1;
    return {QPointF(s.startX + dx / 2, s.startY + dy / 2), std::abs(dx) / 2, std::abs(dy) / 2};
}

QRect drawShape(const DrawingState &s, CanvasSurface &c, Shape shape, double x, double y) {
    const ColourWord colour = currentColour(s);
    switch (shape) {
    case Shape::Rectangle:
        return c.box(QPointF(s.startX, s.startY), QPointF(x, y), colour);
    case Shape::Circle: {
        const double r = std::floor(std::hypot(x - s.startX, y - s.startY));
        return c.ellipse(QPointF(s.startX, s.startY), r, r, colour);
    }
    case Shape::Ellipse: {
        const Ellipse e = ellipseFrom(s, x, y);
        return c.ellipse(e.centre, e.rx, e.ry, colour);
    }
    }
    return {};
}

} // namespace

ColourWord currentColour(const DrawingState &s) {
    const auto r = static_cast<int>(std::clamp(roundToInt(s.colorRed), 0LL, 255LL));
    const auto g = static_cast<int>(std::clamp(roundToInt(s.colorGreen), 0LL, 255LL));
    const int b = std::clamp<int>(s.colorBlue, 0, 255);
    return colourWord(r, g, b);
}

int32_t snap(const DrawingState &s, double v) {
    const long long rounded = roundToInt(v);
    if (s.gridSpacing <= 0)
        return static_cast<int32_t>(rounded);
    const auto q = intDiv(static_cast<double>(rounded), s.gridSpacing);
    return static_cast<int32_t>(*q * s.gridSpacing);
}

QRect pencilSegment(const DrawingState &s, CanvasSurface &c, double x, double y) {
    return commit(
        c, [&] { return c.line(QPointF(s.lastX, s.lastY), QPointF(x, y), currentColour(s)); });
}

QRect diagonalSprayBurst(const DrawingState &s, CanvasSurface &c, Random &rng, double x, double y) {
    c.setPersistence(true);
    c.setPenWidth(1);
    const ColourWord colour = currentColour(s);
    QRect changed;
    for (int i = 0; i <= 100; ++i) {
        double r = std::floor(rng.next() * s.sprayRadius);
        double ry = r;
        if (std::floor(rng.next() * 2) == 0)
            r = -r;
        if (std::floor(rng.next() * 2) == 0)
            ry = -ry;
        changed |= c.dot(QPointF(x + r, y + ry), colour);
    }
    c.setPersistence(false);
    return changed;
}

QRect discSprayBurst(const DrawingState &s, CanvasSurface &c, Random &rng, double x, double y) {
    c.setPersistence(true);
    c.setPenWidth(1);
    const ColourWord colour = currentColour(s);
    QRect changed;
    constexpr double degrees = 3.14159265358979323846 / 180.0;
    for (int i = 0; i <= 60; ++i) {
        const double r = std::floor(rng.next() * s.sprayRadius);
        const double a = std::floor(rng.next() * 360);
        changed |=
            c.dot(QPointF(x + r * std::sin(a * degrees), y + r * std::cos(a * degrees)), colour);
    }
    c.setPersistence(false);
    return changed;
}

Shape shapeOf(uint8_t t) {
    return t == tool::circle    ? Shape::Circle
           : t == tool::ellipse ? Shape::Ellipse
                                : Shape::Rectangle;
}

QRect shapePreview(const DrawingState &s, CanvasSurface &c, Shape shape, double x, double y) {
    c.repaint();
    c.setFillSolid(false);
    return drawShape(s, c, shape, x, y);
}

QRect shapeCommit(const DrawingState &s, CanvasSurface &c, Shape shape, double x, double y) {
    return commit(c, [&] { return drawShape(s, c, shape, x, y); });
}

void polylinePress(DrawingState &s, double x, double y) {
    if (s.polyActive)
        return;
    if (s.snapToGrid) {
        s.polyX = snap(s, x);
        s.polyY = snap(s, y);
    } else {
        s.polyX = x;
        s.polyY = static_cast<int32_t>(roundToInt(y));
    }
    s.polyActive = true;
}

QRect polylineRubberBand(const DrawingState &s, CanvasSurface &c, double x, double y) {
    c.repaint();
    const QPointF to = s.snapToGrid ? QPointF(snap(s, x), snap(s, y)) : QPointF(x, y);
    return c.line(QPointF(s.polyX, s.polyY), to, currentColour(s));
}

QRect polylineCommit(DrawingState &s, CanvasSurface &c, double x, double y) {
    return commit(c, [&] {
        QRect r;
        if (s.snapToGrid) {
            const int32_t sx = snap(s, x);
            const int32_t sy = snap(s, y);
            r = c.line(QPointF(s.polyX, s.polyY), QPointF(sx, sy), currentColour(s));
            s.polyX = sx;
            s.polyY = sy;
        } else {
            r = c.line(QPointF(s.polyX, s.polyY), QPointF(x, y), currentColour(s));
            s.polyX = x;
            s.polyY = static_cast<int32_t>(roundToInt(y));
        }
        return r;
    });
}

QRect fillAt(CanvasSurface &c, double x, double y) {
    c.setFillSolid(true);
    c.setPersistence(true);
    const long seed = c.readPixel(x, y);
    QRect r;
    if (seed >= 0)
        r = c.floodFill(x, y, static_cast<ColourWord>(seed));
    c.setPersistence(false);
    return r;
}

} // namespace garabix
