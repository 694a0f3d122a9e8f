// Saves drawings into a folder as fast as it can, for the tests that kill it
// in the middle. Usage: savehelper <drawings folder> <count>

#include "core/files/drawings.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    garabix::FileList files;
    files.forcePath(QString::fromLocal8Bit(argv[1]));
    garabix::DrawingState state;
    state.maxDrawings = 32767;
    state.drawingCount = static_cast<int16_t>(files.count());
    QImage canvas(1280, 720, QImage::Format_RGB32);
    const int count = atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        canvas.fill(QColor::fromHsv((i * 37) % 360, 200, 230));
        QPainter(&canvas).fillRect(i % 1000, 100, 200, 200, Qt::black);
        state.drawingModified = true;
        const QString written = garabix::drawings::SaveDrawing(state, canvas, files);
        std::printf("%s\n", qPrintable(written));
        std::fflush(stdout);
    }
    return 0;
}
