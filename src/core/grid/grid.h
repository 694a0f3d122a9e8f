#pragma once
// The grid overlay: light-grey lines every gridSpacing pixels (Line1) and blue
// dots at their crossings (Line2). Built once for the canvas size; drawn over
// the canvas, never part of its images.

#include <QLineF>
#include <QRect>
#include <QVector>

namespace garabix {

struct GridOverlay {
    static constexpr int maxDots = 32767;

    QVector<QLineF> Line1; // element 0 is the design element, a copy of element 1
    QVector<QLineF> Line2; // dots: a line one unit long at each crossing
    int gridLineCount = 0; // number of elements of Line1
    int gridDotCount = 0;  // highest index of Line2
    bool linesVisible = false;
    bool dotsVisible = false;

    // Parameters of the build, used to find the elements crossing a rectangle.
    int spacing = 0;
    int columns = 0; // nx
    int rows = 0;    // ny

    // Indexes of the Line1 elements (vertical then horizontal) and the Line2
    // elements whose pixels may fall inside `r` (canvas pixels).
    QVector<int> linesCrossing(const QRect &r) const;
    QVector<int> dotsInside(const QRect &r) const;
};

// W, H: the canvas's inner size in pixels; OW, OH: its outer size as the
// window measures it (the lines run past the edges by that).
void BuildGridLines(GridOverlay &grid, int spacing, double W, double H, double OW, double OH);
void BuildGridDots(GridOverlay &grid, int spacing, double W, double H);

} // namespace garabix
