// Saves drawings into a folder as fast as it can, for the tests that kill it
// in the middle or run several at once. Usage:
// savehelper <drawings folder> <count> [<width> <height> <mark>]
// Each drawing carries the mark and its own number in its first two pixels.

#include "core/files/drawings.h"
#include "helperdrawing.h"

#include <QCoreApplication>
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
    const int count = atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        const QImage canvas = garabix::test::helperDrawing(width, height, mark, i);
        const garabix::drawings::SaveResult saved =
            garabix::drawings::saveDrawing(folder, canvas, true);
        if (saved.path.isEmpty())
            std::fprintf(stderr, "not saved: %d %s\n", saved.outcome,
                         qPrintable(saved.why.reason()));
        std::printf("%s\n", qPrintable(saved.path));
        std::fflush(stdout);
    }
    return 0;
}
