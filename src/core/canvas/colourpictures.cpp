#include "core/canvas/colourpictures.h"

#include <algorithm>
#include <cmath>

namespace garabix::colourpictures {

namespace {

// RRGGBB, left to right.
constexpr uint32_t swatches[paletteSwatches] = {
    0xFFFFFF, 0xC0C0C0, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, 0xFFFF80,
    0x00FF80, 0x80FFFF, 0x8080FF, 0xFF0080, 0xFF8040, 0xFFFFFF, 0xC0C0C0, 0xFF0000, 0xCC9966,
    0x00FF00, 0xCC33CC, 0x336633, 0xFF00FF, 0x000000, 0x808080, 0x800000, 0x808000, 0x008000,
    0x008080, 0x000080, 0x800080, 0x808040, 0x004040, 0x0080FF, 0x004080, 0x4000FF, 0x804000,
    0x000000, 0x808080, 0x800000, 0x993300, 0x008000, 0x008080, 0x000080, 0x800080, 0xCC0000,
    0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, 0xFFFF80, 0x00FF80, 0x80FFFF,
    0x8080FF, 0xFF0080, 0xFF8040, 0xFFFFFF, 0xFFFF00};

ColourWord fromHex(uint32_t rrggbb) {
    return colourWord(static_cast<int>(rrggbb >> 16), static_cast<int>((rrggbb >> 8) & 0xFF),
                      static_cast<int>(rrggbb & 0xFF));
}

constexpr QRgb silver = 0xFFC0C0C0, grey = 0xFF808080, blackRgb = 0xFF000000;

} // namespace

ColourWord paletteColour(int i) {
    return i >= 0 && i < paletteSwatches ? fromHex(swatches[i]) : white;
}

QRect paletteSwatch(int i) {
    return {6 + 16 * i, 3, 12, 12};
}

int paletteSwatchAt(double x) {
    const int nearest = static_cast<int>(std::floor((x - 3.5) / 16));
    return std::clamp(nearest, 0, paletteSwatches - 1);
}

ColourWord chartColour(int r, int c) {
    const int block = r / 8;
    const int row = (r % 8) * 0x20;
    const int col = (c % 8) * 0x20;
    switch (block) {
    case 0:
    case 6:
        return colourWord(row, col, 0x00);
    case 1:
        return colourWord(row, col, 0xFF);
    case 2:
        return colourWord(row, 0x00, col);
    case 3:
        return colourWord(row, 0xFF, col);
    case 4:
        return colourWord(0x00, row, col);
    case 5:
        return colourWord(0xFF, row, col);
    default:
        return colourWord(row, 0x00, col);
    }
}

QRect chartCell(int r, int c) {
    const int top = 3 + r * 722 / chartRows;
    const int bottom = 3 + (r + 1) * 722 / chartRows - 2;
    return {3 + c * 11, top, 10, bottom - top + 1};
}

QImage paletteStrip() {
    QImage img(949, 19, QImage::Format_RGB32);
    img.fill(silver);
    for (int i = 0; i < paletteSwatches; ++i) {
        const QRect s = paletteSwatch(i);
        // A sunken bevel: grey then black along the top and left edges.
        for (int x = s.left() - 2; x <= s.right() + 1; ++x) {
            img.setPixel(x, s.top() - 2, grey);
            img.setPixel(x, s.top() - 1, x == s.left() - 2 ? grey : blackRgb);
        }
        for (int y = s.top() - 1; y <= s.bottom() + 1; ++y) {
            img.setPixel(s.left() - 2, y, grey);
            img.setPixel(s.left() - 1, y, blackRgb);
        }
        const QRgb c = toRgb(paletteColour(i));
        for (int y = s.top(); y <= s.bottom(); ++y)
            for (int x = s.left(); x <= s.right(); ++x)
                img.setPixel(x, y, c);
    }
    return img;
}

QImage colourChart() {
    QImage img(92, 728, QImage::Format_RGB32);
    img.fill(0xFFFFFFFF);
    for (int r = 0; r < chartRows; ++r)
        for (int c = 0; c < chartColumns; ++c) {
            const QRect cell = chartCell(r, c);
            const QRgb rgb = toRgb(chartColour(r, c));
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    img.setPixel(x, y, rgb);
        }
    return img;
}

int SwatchGrid::rows() const {
    const int n = static_cast<int>(colours.size());
    return columns > 0 ? (n + columns - 1) / columns : 0;
}

QSize SwatchGrid::size() const {
    return {std::max(1, columns) * pitch + gap, rows() * pitch + gap};
}

QRect SwatchGrid::cell(int i) const {
    const int c = columns > 0 ? i % columns : 0, r = columns > 0 ? i / columns : 0;
    return {gap + c * pitch, gap + r * pitch, pitch - gap, pitch - gap};
}

int SwatchGrid::at(QPointF p) const {
    const int n = static_cast<int>(colours.size());
    if (n == 0 || columns <= 0 || pitch <= 0)
        return -1;
    const int c =
        std::clamp(static_cast<int>(std::floor((p.x() - gap / 2.0) / pitch)), 0, columns - 1);
    const int r =
        std::clamp(static_cast<int>(std::floor((p.y() - gap / 2.0) / pitch)), 0, rows() - 1);
    return std::min(r * columns + c, n - 1);
}

QImage SwatchGrid::picture() const {
    QImage img(size(), QImage::Format_RGB32);
    img.fill(silver);
    for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
        const QRect s = cell(i);
        const QRgb c = toRgb(colours[static_cast<size_t>(i)]);
        for (int y = s.top(); y <= s.bottom(); ++y)
            for (int x = s.left(); x <= s.right(); ++x)
                img.setPixel(x, y, (y == s.top() || x == s.left()) ? blackRgb : c);
    }
    return img;
}

std::vector<ColourWord> paletteColours() {
    std::vector<ColourWord> all;
    for (int i = 0; i < paletteSwatches; ++i)
        all.push_back(paletteColour(i));
    return all;
}

std::vector<ColourWord> chartColours() {
    std::vector<ColourWord> all;
    for (int r = 0; r < chartRows; ++r)
        for (int c = 0; c < chartColumns; ++c)
            all.push_back(chartColour(r, c));
    return all;
}

} // namespace garabix::colourpictures
