#pragma once
// The drawing tools. Each acts on the drawing state and the canvas surface,
// commits (persistence on, draw, persistence off) or previews on the
// transient layer, and returns the rectangle it changed. None sees a widget
// or a mouse event.

#include "core/canvas/canvassurface.h"
#include "core/canvas/drawingstate.h"
#include "core/canvas/random.h"

#include <QRect>
#include <cstdint>

namespace garabix {

// The current colour composed from its components; red and green are rounded
// half to even first.
ColourWord currentColour(const DrawingState &s);

// snap(v): v rounded half to even, integer-divided by the grid spacing, times
// the spacing: down to the grid line at or before the point. With a spacing
// of 0 or less the point is taken unsnapped (rounded).
int32_t snap(const DrawingState &s, double v);

QRect pencilSegment(const DrawingState &s, CanvasSurface &c, double x, double y);
QRect diagonalSprayBurst(const DrawingState &s, CanvasSurface &c, Random &rng, double x, double y);
QRect discSprayBurst(const DrawingState &s, CanvasSurface &c, Random &rng, double x, double y);

// Rectangle, circle and ellipse from the anchor (startX, startY) to (x, y).
enum class Shape { Rectangle, Circle, Ellipse };
QRect shapePreview(const DrawingState &s, CanvasSurface &c, Shape shape, double x, double y);
QRect shapeCommit(const DrawingState &s, CanvasSurface &c, Shape shape, double x, double y);
Shape shapeOf(uint8_t tool);

void polylinePress(DrawingState &s, double x, double y);
QRect polylineRubberBand(const DrawingState &s, CanvasSurface &c, double x, double y);
QRect polylineCommit(DrawingState &s, CanvasSurface &c, double x, double y);

// Exact-colour flood fill at (x, y) with the canvas fill colour, committed.
QRect fillAt(CanvasSurface &c, double x, double y);

} // namespace garabix
