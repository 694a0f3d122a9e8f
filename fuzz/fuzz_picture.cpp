// libFuzzer target: a picture file read through the program's own loading
// path, as a scene, a stamp or a saved drawing would be.

#include "core/canvas/canvassurface.h"
#include "core/files/pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {
QString inputPath;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    garabix::limitPictureMemory();
    inputPath = QDir::tempPath() + QStringLiteral("/garabix-fuzz-%1.gif").arg(getpid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    {
        QFile f(inputPath);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const QImage picture = garabix::loadPicture(inputPath);
    if (!picture.isNull()) {
        if (picture.format() != QImage::Format_RGB32 || picture.width() > garabix::maxPictureSide ||
            picture.height() > garabix::maxPictureSide)
            std::abort();
        // Shown on a canvas as a loaded drawing is.
        garabix::CanvasSurface canvas(QSize(64, 48));
        canvas.setBackgroundPicture(picture);
    }
    return 0;
}
