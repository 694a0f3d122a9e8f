#pragma once
// The magic tool between the pointer's press and its release. A painted
// effect is a stroke with a generator of its own, seeded at the press from
// the tool's scatter, so that each stroke looks new and a run repeats; a
// whole-picture effect changes the picture at the press. The release makes
// either one step of the drawing (pointer.cpp).

#include "core/canvas/canvassurface.h"
#include "core/canvas/drawingstate.h"
#include "core/canvas/magic.h"
#include "core/canvas/random.h"

#include <optional>

namespace garabix {

// The brush's radius in canvas pixels for the chosen pen: the pen's width,
// and for the big pens half the spray's, several times wider; the
// kaleidoscope draws with the pen itself.
int magicRadius(const DrawingState &s);

class MagicBrush {
public:
    // `unit`: canvas pixels to a pixel of the design.
    void press(const DrawingState &s, CanvasSurface &c, Random &rng, double unit, double x,
               double y);
    void move(CanvasSurface &c, double x, double y);
    void release() { stroke.reset(); }

private:
    std::optional<MagicStroke> stroke;
};

} // namespace garabix
