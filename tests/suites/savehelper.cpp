// Saves drawings into a folder as fast as it can, for the tests that kill it
// in the middle or run several at once. Usage:
// savehelper <drawings folder> <count> [<width> <height> <mark>]
// Each drawing carries the mark and its own number in its first two pixels.

#include "core/files/drawings.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    garabix::drawings::DrawingFolder folder;
    folder.files.forcePath(QString::fromLocal8Bit(argv[1]));
    folder.maxDrawings = 32767;
    folder.drawingCount = static_cast<int16_t>(folder.files.count());
    const int width = argc > 4 ? atoi(argv[3]) : 1280;
    const int height = argc > 4 ? atoi(argv[4]) : 720;
    const int mark = argc > 5 ? atoi(argv[5]) : 0;
    QImage canvas(width, height, QImage::Format_RGB32);
    const int count = atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        canvas.fill(QColor::fromHsv((i * 37) % 360, 200, 230));
        QPainter(&canvas).fillRect(i % 1000, 100, 200, 200, Qt::black);
        canvas.setPixel(0, 0, qRgb(mark, 0, 0));
        canvas.setPixel(1, 0, qRgb(i & 255, i >> 8, 0));
        const QString written = garabix::drawings::saveDrawing(folder, canvas, true).path;
        std::printf("%s\n", qPrintable(written));
        std::fflush(stdout);
    }
    return 0;
}
