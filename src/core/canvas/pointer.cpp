#include "core/canvas/pointer.h"

#include "core/canvas/tools.h"
#include "core/text/numeric.h"

namespace garabix {

PointerAsk pointerPress(PointerContext ctx, bool leftButton, double x, double y) {
    if (!leftButton)
        return {};
    DrawingState &s = ctx.state;
    switch (s.currentTool) {
    case Tool::Stamp:
        return {PointerAsk::StampStart, x, y};
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
    case Tool::Magic:
        if (ctx.magic)
            ctx.magic->press(s, ctx.drawing.canvas(), ctx.rng, ctx.textScale, x, y);
        break;
    default:
        break;
    }
    return {};
}

PointerAsk pointerMove(PointerContext ctx, bool anyButton, double x, double y) {
    DrawingState &s = ctx.state;
    PointerAsk ask;
    if (s.currentTool == Tool::Stamp)
        ask = {PointerAsk::StampPreview, x, y};
    if (s.currentTool == Tool::Polyline && s.polyActive)
        polylineRubberBand(s, ctx.drawing.canvas(), x, y);
    if (s.currentTool == Tool::Text)
        ctx.text.preview(ctx.drawing.canvas(), QPointF(x, y), currentColour(s), ctx.textScale);

    if (anyButton) {
        if (s.currentTool == Tool::Pencil)
            pencilSegment(s, ctx.drawing.canvas(), x, y);
        else if (isShape(s.currentTool))
            shapePreview(s, ctx.drawing.canvas(), x, y);
        else if (s.currentTool == Tool::DiagonalSpray)
            diagonalSprayBurst(s, ctx.drawing.canvas(), ctx.rng, x, y);
        else if (s.currentTool == Tool::DiscSpray)
            discSprayBurst(s, ctx.drawing.canvas(), ctx.rng, x, y);
        else if (s.currentTool == Tool::Magic && ctx.magic)
            ctx.magic->move(ctx.drawing.canvas(), x, y);
    }
    s.lastX = x;
    s.lastY = toInt16(y).value_or(y < 0 ? -32768 : 32767);
    return ask;
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
        ctx.text.write(ctx.drawing.canvas(), QPointF(x, y), currentColour(s), ctx.textScale);
    else if (s.currentTool == Tool::Magic && ctx.magic)
        ctx.magic->release();
    ctx.drawing.snapshot();
}

void pointerDoubleClick(PointerContext ctx) {
    ctx.state.polyActive = false;
}

} // namespace garabix
