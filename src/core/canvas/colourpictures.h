#pragma once
// The two pictures colours are picked from: the palette strip (949 x 19, 59
// swatches on a bevelled grey strip) and the colour chart (92 x 728, 62 rows
// of 8 cells on white). Both are drawn from their colour tables.

#include "core/canvas/colour.h"

#include <QImage>
#include <QRect>

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

} // namespace garabix::colourpictures
