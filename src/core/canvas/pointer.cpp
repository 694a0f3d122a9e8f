#include "core/canvas/pointer.h"

#include "core/app/numeric.h"
#include "core/canvas/tools.h"

namespace garabix {

namespace {

bool isShape(uint8_t t) {
    return t == tool::rectangle || t == tool::circle || t == tool::ellipse;
}

} // namespace

void pointerPress(PointerContext ctx, bool leftButton, double x, double y) {
    if (!leftButton)
        return;
    DrawingState &s = ctx.state;
    s.drawingModified = true;
    switch (s.currentTool) {
    case tool::stamp:
        ctx.env.stampStart(x, y);
        break;
    case tool::fill:
        fillAt(ctx.canvas, x, y);
        ctx.env.saveUndoSnapshot();
        break;
    case tool::rectangle:
    case tool::circle:
    case tool::ellipse:
    case tool::polyline:
    case tool::text:
        s.startX = x;
        s.startY = y;
        if (s.currentTool == tool::polyline)
            polylinePress(s, x, y);
        break;
    default:
        break;
    }
}

void pointerMove(PointerContext ctx, bool anyButton, double x, double y) {
    DrawingState &s = ctx.state;
    if (s.stampPreview && s.currentTool == tool::stamp)
        ctx.env.stampPreview(x, y);
    if (s.currentTool == tool::polyline && s.polyActive)
        polylineRubberBand(s, ctx.canvas, x, y);
    if (s.currentTool == tool::text)
        ctx.env.textPreview(x, y);

    if (anyButton) {
        if (s.currentTool == tool::pencil)
            pencilSegment(s, ctx.canvas, x, y);
        else if (isShape(s.currentTool))
            shapePreview(s, ctx.canvas, shapeOf(s.currentTool), x, y);
        else if (s.currentTool == tool::diagonalSpray)
            diagonalSprayBurst(s, ctx.canvas, ctx.rng, x, y);
        else if (s.currentTool == tool::discSpray)
            discSprayBurst(s, ctx.canvas, ctx.rng, x, y);
    }
    s.lastX = x;
    s.lastY = toInt16(y).value_or(y < 0 ? -32768 : 32767);
}

void pointerRelease(PointerContext ctx, bool leftButton, double x, double y) {
    if (!leftButton)
        return;
    DrawingState &s = ctx.state;
    s.drawingModified = true;
    if (isShape(s.currentTool))
        shapeCommit(s, ctx.canvas, shapeOf(s.currentTool), x, y);
    else if (s.currentTool == tool::polyline)
        polylineCommit(s, ctx.canvas, x, y);
    else if (s.currentTool == tool::text)
        ctx.env.textCommit(x, y);
    ctx.env.saveUndoSnapshot();
}

void pointerDoubleClick(PointerContext ctx) {
    ctx.state.polyActive = false;
}

} // namespace garabix
