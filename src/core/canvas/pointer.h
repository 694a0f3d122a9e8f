#pragma once
// Pointer handling on the canvas: press, move, release and double-click,
// routed by the current tool. Each finished step is a snapshot of the
// drawing; the stamp and text tools reach the window through a narrow
// environment.

#include "core/canvas/drawing.h"
#include "core/canvas/drawingstate.h"
#include "core/canvas/random.h"

namespace garabix {

class PointerEnvironment {
public:
    virtual ~PointerEnvironment() = default;
    virtual void stampPreview(double x, double y) = 0;
    virtual void stampStart(double x, double y) = 0;
    virtual void textPreview(double x, double y) = 0;
    virtual void textCommit(double x, double y) = 0;
};

struct PointerContext {
    DrawingState &state;
    Drawing &drawing;
    Random &rng;
    PointerEnvironment &env;
};

void pointerPress(PointerContext ctx, bool leftButton, double x, double y);
void pointerMove(PointerContext ctx, bool anyButton, double x, double y);
void pointerRelease(PointerContext ctx, bool leftButton, double x, double y);
void pointerDoubleClick(PointerContext ctx);

} // namespace garabix
