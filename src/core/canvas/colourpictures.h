#pragma once
// The two pictures colours are picked from: the palette strip (949 x 19, 59
// swatches on a bevelled grey strip) and the colour chart (92 x 728, 62 rows
// of 8 cells on white). Both are drawn from their colour tables.

#include "core/canvas/colour.h"

#include <QImage>
#include <QRect>
#include <vector>

namespace garabix::colourpictures {

constexpr int paletteSwatches = 59;
constexpr int chartRows = 62;
constexpr int chartColumns = 8;

// Swatch i (0..58) as a colour word, and its rectangle in the strip.
ColourWord paletteColour(int i);
QRect paletteSwatch(int i);
// The swatch nearest to column x of the strip: a press on the grey between
// two swatches or above and below them picks the one aimed at.
int paletteSwatchAt(double x);
// Cell at row r (0..61), column c (0..7), and its rectangle in the chart.
ColourWord chartColour(int r, int c);
QRect chartCell(int r, int c);

QImage paletteStrip();
QImage colourChart();

// The larger controls show the same colours as a grid of square swatches,
// `columns` across, `pitch` pixels apart with `gap` pixels between them, on
// the strip's grey.
struct SwatchGrid {
    std::vector<ColourWord> colours;
    int columns = 1;
    int pitch = 16;
    int gap = 4;

    int rows() const;
    QSize size() const;
    QRect cell(int i) const;
    // The swatch under p, or the nearest one to it; -1 for an empty grid.
    int at(QPointF p) const;
    QImage picture() const;
};
// The palette's colours and the chart's, row by row.
std::vector<ColourWord> paletteColours();
std::vector<ColourWord> chartColours();

} // namespace garabix::colourpictures
