#pragma once
// The drawing the save helper saves as its i-th, with a mark of its own:
// the tests that check what it saved draw it again and compare.

#include <QImage>
#include <QPainter>

namespace garabix::test {

inline QImage helperDrawing(int width, int height, int mark, int i) {
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(QColor::fromHsv((i * 37) % 360, 200, 230));
    QPainter(&canvas).fillRect(i % 1000, 100, 200, 200, Qt::black);
    canvas.setPixel(0, 0, qRgb(mark, 0, 0));
    canvas.setPixel(1, 0, qRgb(i & 255, i >> 8, 0));
    return canvas;
}

} // namespace garabix::test
