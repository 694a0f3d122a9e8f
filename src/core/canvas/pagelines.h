#pragma once
// The lines of a colouring page: the pixels of a line drawing, drawn at the
// canvas's size, that stay on top of everything the child paints. A pixel is
// a line when the art is at least half opaque there and dark; it keeps the
// art's colour, made opaque, so every line pixel is whole and crisp.
//
// The lines are kept as runs of pixels, row by row, so that putting them
// back over a changed rectangle costs what the lines in it cost, not the
// rectangle.

#include <QImage>
#include <QRect>
#include <memory>
#include <vector>

namespace garabix {

class PageLines {
public:
    // The lines of `art`, a picture at the canvas's size (any format;
    // transparent and light pixels are not lines).
    static std::shared_ptr<const PageLines> fromArt(const QImage &art);

    QSize size() const { return extent; }
    // How many pixels are lines.
    size_t pixelCount() const { return colours.size(); }
    bool isLine(int x, int y) const;
    // Writes the line pixels that lie inside `r` into `image` (32 bits a
    // pixel): the lines go back on top of what was painted there.
    void drawOver(QImage &image, const QRect &r) const;
    // The flood fill of floodfill.h on `image` (and `mirror`), stopped by the
    // lines whatever their colour; a click on a line fills nothing.
    QRect fillWithin(QImage &image, QPoint p, QRgb seed, QRgb fill, QImage *mirror) const;
    // Takes the lines out of `image`: each run of line pixels takes the
    // colour beside it on its row (on its left, or its right at the edge).
    void eraseFrom(QImage &image) const;

private:
    struct Run {
        int x0, x1;    // both included
        size_t colour; // the run's first pixel in `colours`
    };
    template <typename Write> void eachRun(const QImage &image, QRect r, Write &&write) const;
    // Writes every line pixel into `image` in one colour.
    void paintAll(QImage &image, QRgb colour) const;

    QSize extent;
    std::vector<Run> runs;
    std::vector<size_t> rowStart; // the first run of each row; one more entry at the end
    std::vector<QRgb> colours;
};

} // namespace garabix
