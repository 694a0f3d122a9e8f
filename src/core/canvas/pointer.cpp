#include "core/canvas/pointer.h"

#include "core/canvas/tools.h"
#include "core/text/numeric.h"

namespace garabix {

void pointerPress(PointerContext ctx, bool leftButton, double x, double y) {
    if (!leftButton)
        return;
    DrawingState &s = ctx.state;
    switch (s.currentTool) {
    case Tool::Stamp:
        ctx.env.stampStart(x, y);
        break;
    case Tool::Pencil:
        penDot(s, ctx.drawing.canvas(), x, y);
        break;
    case Tool::Fill:
        fillAt(s, ctx.drawing.canvas(), x, y);
        ctx.drawing.snapshot();
        break;
    case Tool::Rectangle:
    case Tool::Circle:
    case Tool::Ellipse:
    case Tool::Polyline:
    case Tool::Text:
        s.startX = x;
        s.startY = y;
        if (s.currentTool == Tool::Polyline)
            polylinePress(s, x, y);
        break;
    default:
        break;
    }
}

void pointerMove(PointerContext ctx, bool anyButton, double x, double y) {
    DrawingState &s = ctx.state;
    if (s.currentTool == Tool::Stamp)
        ctx.env.stampPreview(x, y);
    if (s.currentTool == Tool::Polyline && s.polyActive)
        polylineRubberBand(s, ctx.drawing.canvas(), x, y);
    if (s.currentTool == Tool::Text)
        ctx.env.textPreview(x, y);

    if (anyButton) {
        if (s.currentTool == Tool::Pencil)
            pencilSegment(s, ctx.drawing.canvas(), x, y);
        else if (isShape(s.currentTool))
            shapePreview(s, ctx.drawing.canvas(), x, y);
        else if (s.currentTool == Tool::DiagonalSpray)
            diagonalSprayBurst(s, ctx.drawing.canvas(), ctx.rng, x, y);
        else if (s.currentTool == Tool::DiscSpray)
            discSprayBurst(s, ctx.drawing.canvas(), ctx.rng, x, y);
    }
    s.lastX = x;
    s.lastY = toInt16(y).value_or(y < 0 ? -32768 : 32767);
}

void pointerRelease(PointerContext ctx, bool leftButton, double x, double y) {
    if (!leftButton)
        return;
    DrawingState &s = ctx.state;
    if (isShape(s.currentTool))
        shapeCommit(s, ctx.drawing.canvas(), x, y);
    else if (s.currentTool == Tool::Polyline)
        polylineCommit(s, ctx.drawing.canvas(), x, y);
    else if (s.currentTool == Tool::Text)
        ctx.env.textCommit(x, y);
    ctx.drawing.snapshot();
}

void pointerDoubleClick(PointerContext ctx) {
    ctx.state.polyActive = false;
}

} // namespace garabix
