#pragma once
// Pointer handling on the canvas: press, move, release and double-click,
// routed by the current tool. Each finished step is a snapshot of the
// drawing. What the stamp needs of the window comes back as an ask; the
// core never calls up.

#include "core/canvas/drawing.h"
#include "core/canvas/drawingstate.h"
#include "core/canvas/magictool.h"
#include "core/canvas/random.h"
#include "core/canvas/texttool.h"

namespace garabix {

// What a gesture asks of the stamp, whose animation the window plays: the
// core draws strokes, shapes and text itself and answers with the rest.
struct PointerAsk {
    enum Kind {
        Nothing,
        StampPreview, // the stamp's outline follows the pointer
        StampStart,   // the stamp lands here
    } kind = Nothing;
    double x = 0, y = 0;
};

struct PointerContext {
    DrawingState &state;
    Drawing &drawing;
    Random &rng;
    const TextTool &text;
    double textScale; // canvas pixels to a pixel of the design: the text's size, magic's patterns
    MagicBrush *magic = nullptr; // the magic stroke under way; none, no magic
};

PointerAsk pointerPress(PointerContext ctx, bool leftButton, double x, double y);
PointerAsk pointerMove(PointerContext ctx, bool anyButton, double x, double y);
void pointerRelease(PointerContext ctx, bool leftButton, double x, double y);
void pointerDoubleClick(PointerContext ctx);

} // namespace garabix
