#include "core/canvas/gesture.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace garabix {

namespace {

// The tools a drag draws with, painted magic too; with click-to-draw a
// click starts them and the next click ends them.
bool drawnByDragging(const DrawingState &s) {
    switch (s.currentTool) {
    case Tool::Pencil:
    case Tool::Rectangle:
    case Tool::Circle:
    case Tool::Ellipse:
    case Tool::DiagonalSpray:
    case Tool::DiscSpray:
        return true;
    case Tool::Magic:
        return !isWholePicture(s.magic); // a whole-picture effect is one click
    default:
        return false;
    }
}

} // namespace

// With click-to-draw, a press either starts a stroke the pointer then draws
// as if the button were held, or ends the one it started. The release of
// such a press does nothing more.
PointerAsk ClickGesture::press(PointerContext ctx, bool clickToDraw, double nearby, bool left,
                               double x, double y) {
    const DrawingState &s = ctx.state;
    if (clickToDraw) {
        if (holding) {
            holding = false;
            pointerRelease(ctx, heldLeft, x, y);
            swallowRelease = true;
            return {};
        }
        if (drawnByDragging(s)) {
            const PointerAsk ask = pointerPress(ctx, left, x, y);
            holding = true;
            heldLeft = left;
            swallowRelease = true;
            return ask;
        }
        if (s.currentTool == Tool::Polyline && s.polyActive) {
            const auto near = [&](QPointF p) { return std::hypot(p.x() - x, p.y() - y) <= nearby; };
            if (near(QPointF(s.polyX, s.polyY))) {
                pointerDoubleClick(ctx);
                swallowRelease = true;
                return {};
            }
            if (polyPoints > 2 && near(polyFirst)) {
                closePolyline = true; // the release goes to the first point, then ends
                x = polyFirst.x();
                y = polyFirst.y();
            }
        }
    }
    if (s.currentTool == Tool::Polyline && !s.polyActive) {
        polyFirst = QPointF(x, y);
        polyPoints = 0;
    }
    return pointerPress(ctx, left, x, y);
}

PointerAsk ClickGesture::move(PointerContext ctx, bool anyButton, double x, double y) {
    at = QPointF(x, y);
    return pointerMove(ctx, holding || anyButton, x, y);
}

void ClickGesture::release(PointerContext ctx, bool left, double x, double y) {
    if (std::exchange(swallowRelease, false))
        return;
    if (closePolyline) {
        x = polyFirst.x();
        y = polyFirst.y();
    }
    pointerRelease(ctx, left, x, y);
    if (ctx.state.currentTool == Tool::Polyline)
        ++polyPoints;
    if (std::exchange(closePolyline, false))
        pointerDoubleClick(ctx);
}

void ClickGesture::doubleClick(PointerContext ctx) {
    pointerDoubleClick(ctx);
}

void ClickGesture::endHeld(PointerContext ctx) {
    if (!std::exchange(holding, false))
        return;
    pointerRelease(ctx, heldLeft, at.x(), at.y());
}

bool ClickGesture::drawingSign(const DrawingState &s, bool clickToDraw) const {
    return holding || (clickToDraw && s.currentTool == Tool::Polyline && s.polyActive);
}

QPointF KeyboardPointer::moveTo(QPointF to, QSize size) {
    where = QPointF(std::clamp(to.x(), 0.0, size.width() - 1.0),
                    std::clamp(to.y(), 0.0, size.height() - 1.0));
    return where;
}

QPointF KeyboardPointer::step(QPoint arrow, bool autoRepeat, bool fine, double unit, QSize size) {
    repeats = autoRepeat ? repeats + 1 : 0;
    const double length =
        fine ? 1 : double(std::max(1L, std::lround(std::min(4 + repeats, 24) * unit)));
    return moveTo(where + QPointF(arrow) * length, size);
}

} // namespace garabix
