#pragma once
// The grid overlay: light-grey lines every gridSpacing pixels (lines) and blue
// dots at their crossings (dots). Built once for the canvas size; drawn over
// the canvas, never part of its images.

#include <QLineF>
#include <QRect>
#include <QVector>

namespace garabix {

struct GridOverlay {
    static constexpr int maxDots = 32767;

    QVector<QLineF> lines; // element 0 is the design element, a copy of element 1
    QVector<QLineF> dots;  // dots: a line one unit long at each crossing
    int gridLineCount = 0; // number of elements of lines
    int gridDotCount = 0;  // highest index of dots
    bool linesVisible = false;
    bool dotsVisible = false;

    // Parameters of the build, used to find the elements crossing a rectangle.
    int spacing = 0;
    int columns = 0; // nx
    int rows = 0;    // ny

    // Indexes of the lines elements (vertical then horizontal) and the dots
    // elements whose pixels may fall inside `r` (canvas pixels).
    QVector<int> linesCrossing(const QRect &r) const;
    QVector<int> dotsInside(const QRect &r) const;
};

// W, H: the canvas's inner size in pixels; OW, OH: its outer size as the
// window measures it (the lines run past the edges by that).
void buildGridLines(GridOverlay &grid, int spacing, double W, double H, double OW, double OH);
void buildGridDots(GridOverlay &grid, int spacing, double W, double H);

} // namespace garabix
