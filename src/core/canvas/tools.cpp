#include "core/canvas/tools.h"

#include "core/text/numeric.h"

#include <algorithm>

#include <cmath>

namespace garabix {

namespace {

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

void drawShape(const DrawingState &s, CanvasSurface &c, Layer layer, double x, double y) {
    const Stroke stroke{currentColour(s), penWidth(s)};
    const std::optional<ColourWord> fill =
        s.fillShapes ? std::optional<ColourWord>(currentColour(s)) : std::nullopt;
    switch (s.currentTool) {
    case Tool::Circle: {
        const double r = std::floor(std::hypot(x - s.startX, y - s.startY));
        c.ellipse(layer, QPointF(s.startX, s.startY), r, r, stroke, fill);
        break;
    }
    case Tool::Ellipse: {
        const Ellipse e = ellipseFrom(s, x, y);
        c.ellipse(layer, e.centre, e.rx, e.ry, stroke, fill);
        break;
    }
    default:
        c.box(layer, QPointF(s.startX, s.startY), QPointF(x, y), stroke, fill);
        break;
    }
}

// A burst of one-pixel dots, for keeps.
template <typename Place>
void sprayBurst(const DrawingState &s, CanvasSurface &c, int count, Place &&place) {
    const Stroke dot{currentColour(s), 1};
    for (int i = 0; i < count; ++i)
        c.dot(Layer::Keep, place(), dot);
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

int penWidth(const DrawingState &s) {
    return static_cast<int>(std::clamp(roundToInt(s.lineWidth), 1LL, 32767LL));
}

long canvasPixels(double designPixels, double scale) {
    return std::max(designPixels > 0 ? 1L : 0L, std::lround(designPixels * scale));
}

void penDot(const DrawingState &s, CanvasSurface &c, double x, double y) {
    c.line(Layer::Keep, QPointF(x, y), QPointF(x, y), Stroke{currentColour(s), penWidth(s)});
}

void pencilSegment(const DrawingState &s, CanvasSurface &c, double x, double y) {
    c.line(Layer::Keep, QPointF(s.lastX, s.lastY), QPointF(x, y),
           Stroke{currentColour(s), penWidth(s)});
}

void diagonalSprayBurst(const DrawingState &s, CanvasSurface &c, Random &rng, double x, double y) {
    sprayBurst(s, c, 101, [&] {
        double r = std::floor(rng.next() * s.sprayRadius);
        double ry = r;
        if (std::floor(rng.next() * 2) == 0)
            r = -r;
        if (std::floor(rng.next() * 2) == 0)
            ry = -ry;
        return QPointF(x + r, y + ry);
    });
}

void discSprayBurst(const DrawingState &s, CanvasSurface &c, Random &rng, double x, double y) {
    constexpr double degrees = 3.14159265358979323846 / 180.0;
    sprayBurst(s, c, 61, [&] {
        const double r = std::floor(rng.next() * s.sprayRadius);
        const double a = std::floor(rng.next() * 360);
        return QPointF(x + r * std::sin(a * degrees), y + r * std::cos(a * degrees));
    });
}

bool isShape(Tool t) {
    return t == Tool::Rectangle || t == Tool::Circle || t == Tool::Ellipse;
}

void shapePreview(DrawingState &s, CanvasSurface &c, double x, double y) {
    c.repaint();
    s.fillShapes = false;
    drawShape(s, c, Layer::Preview, x, y);
}

void shapeCommit(const DrawingState &s, CanvasSurface &c, double x, double y) {
    // A click without a drag leaves a dot of the pen's width, as a line of no
    // length does, rather than a shape too small to see.
    if (roundToInt(x) == roundToInt(s.startX) && roundToInt(y) == roundToInt(s.startY))
        penDot(s, c, x, y);
    else
        drawShape(s, c, Layer::Keep, x, y);
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

void polylineRubberBand(const DrawingState &s, CanvasSurface &c, double x, double y) {
    c.repaint();
    const QPointF to = s.snapToGrid ? QPointF(snap(s, x), snap(s, y)) : QPointF(x, y);
    c.line(Layer::Preview, QPointF(s.polyX, s.polyY), to, Stroke{currentColour(s), penWidth(s)});
}

void polylineCommit(DrawingState &s, CanvasSurface &c, double x, double y) {
    const QPointF to = s.snapToGrid ? QPointF(snap(s, x), snap(s, y)) : QPointF(x, y);
    c.line(Layer::Keep, QPointF(s.polyX, s.polyY), to, Stroke{currentColour(s), penWidth(s)});
    s.polyX = to.x();
    s.polyY = static_cast<int32_t>(roundToInt(to.y()));
}

void fillAt(DrawingState &s, CanvasSurface &c, double x, double y) {
    s.fillShapes = true;
    const long seed = c.readPixel(x, y);
    if (seed >= 0)
        c.floodFill(Layer::Keep, x, y, static_cast<ColourWord>(seed), currentColour(s));
}

} // namespace garabix
