#pragma once
// The drawing tools. Each acts on the drawing state and the canvas surface,
// drawing for keeps or as a preview. None sees a widget or a mouse event.

#include "core/canvas/canvassurface.h"
#include "core/canvas/drawingstate.h"
#include "core/canvas/random.h"

#include <cstdint>

namespace garabix {

// The current colour composed from its components; red and green are rounded
// half to even first.
ColourWord currentColour(const DrawingState &s);
// The pen of lines and outlines: the line width rounded, at least 1.
int penWidth(const DrawingState &s);
// A length of the design (a pen, a spray, a stamp) in canvas pixels, `scale`
// canvas pixels to a pixel of the design; a length above 0 is never 0.
long canvasPixels(double designPixels, double scale);
// Canvas pixels to a pixel of the design on the window's screen: one value,
// which the window sets for its screen and its parts read.
struct DesignScale {
    double canvasPerDesign = 1;
    long pixels(double designPixels) const { return canvasPixels(designPixels, canvasPerDesign); }
};

// snap(v): v rounded half to even, integer-divided by the grid spacing, times
// the spacing: down to the grid line at or before the point. With a spacing
// of 0 or less the point is taken unsnapped (rounded).
int32_t snap(const DrawingState &s, double v);

// A dot of the pen's width, for keeps: a press with the pencil, or a shape
// committed where it was pressed.
void penDot(const DrawingState &s, CanvasSurface &c, double x, double y);
void pencilSegment(const DrawingState &s, CanvasSurface &c, double x, double y);
void diagonalSprayBurst(const DrawingState &s, CanvasSurface &c, Random &rng, double x, double y);
void discSprayBurst(const DrawingState &s, CanvasSurface &c, Random &rng, double x, double y);

// Rectangle, circle and ellipse from the anchor (startX, startY) to (x, y);
// committed where it was pressed, a dot.
void shapePreview(DrawingState &s, CanvasSurface &c, double x, double y);
void shapeCommit(const DrawingState &s, CanvasSurface &c, double x, double y);
bool isShape(Tool t);

void polylinePress(DrawingState &s, double x, double y);
void polylineRubberBand(const DrawingState &s, CanvasSurface &c, double x, double y);
void polylineCommit(DrawingState &s, CanvasSurface &c, double x, double y);

// Exact-colour flood fill at (x, y) with the current colour, for keeps.
void fillAt(DrawingState &s, CanvasSurface &c, double x, double y);

} // namespace garabix
