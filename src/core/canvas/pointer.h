#pragma once
// Pointer handling on the canvas: press, move, release and double-click,
// routed by the current tool. The stamp and text tools and the undo snapshot
// reach the window through a narrow environment.

#include "core/canvas/canvassurface.h"
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
    virtual void saveUndoSnapshot() = 0;
};

struct PointerContext {
    DrawingState &state;
    CanvasSurface &canvas;
    Random &rng;
    PointerEnvironment &env;
};

void pointerPress(PointerContext ctx, bool leftButton, double x, double y);
void pointerMove(PointerContext ctx, bool anyButton, double x, double y);
void pointerRelease(PointerContext ctx, bool leftButton, double x, double y);
void pointerDoubleClick(PointerContext ctx);

} // namespace garabix
