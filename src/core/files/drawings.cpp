#include "core/files/drawings.h"

#include "core/app/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace garabix::drawings {

namespace {

void put16(QByteArray &b, int at, quint16 v) {
    qToLittleEndian<quint16>(v, b.data() + at);
}
void put32(QByteArray &b, int at, quint32 v) {
    qToLittleEndian<quint32>(v, b.data() + at);
}

QByteArray bmpBytes(const QImage &source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const int stride = (w * 3 + 3) & ~3;
    const quint32 dataSize = static_cast<quint32>(stride) * h;
    QByteArray out(54 + static_cast<int>(dataSize), '\0');
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, 54 + dataSize);
    put32(out, 10, 54);
    put32(out, 14, 40);
    put32(out, 18, static_cast<quint32>(w));
    put32(out, 22, static_cast<quint32>(h)); // bottom-up rows
    put16(out, 26, 1);
    put16(out, 28, 24);
    put32(out, 34, dataSize);
    put32(out, 38, 3780); // 96 dpi
    put32(out, 42, 3780);
    char *data = out.data() + 54;
    for (int y = 0; y < h; ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(image.constScanLine(h - 1 - y));
        auto *dst = reinterpret_cast<unsigned char *>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = static_cast<unsigned char>(qBlue(src[x]));
            dst[3 * x + 1] = static_cast<unsigned char>(qGreen(src[x]));
            dst[3 * x + 2] = static_cast<unsigned char>(qRed(src[x]));
        }
    }
    return out;
}

QString showAt(DrawingState &state, FileList &File1, int step) {
    state.browseIndex += step;
    File1.refresh();
    if (state.browseIndex > -1 && state.browseIndex < File1.count())
        return File1.entryPath(state.browseIndex);
    state.browseIndex -= step;
    return {};
}

} // namespace

int16_t countDrawings(const FileList &File1) {
    return static_cast<int16_t>(std::min(File1.count(), 32767));
}

bool writeBmp(const QImage &image, const QString &path) {
    if (image.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = bmpBytes(image);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString SaveDrawing(DrawingState &state, const QImage &canvas, FileList &File1) {
    if (!state.drawingModified)
        return {};
    if (!(state.maxDrawings > state.drawingCount))
        return {};
    const QString folder = File1.path();
    QString written;
    for (int n = 0; n <= highestNumber; ++n) {
        const QString name = QStringLiteral("%1.bmp").arg(n);
        const QString path = folder + QLatin1Char('/') + name;
        // A number is taken by a file of exactly that name; anything else
        // standing under that name (a folder, say) cannot be written over
        // either, so it is passed by too.
        if (QFileInfo::exists(path))
            continue;
        if (!writeBmp(canvas, path))
            return {};
        written = path;
        break;
    }
    if (written.isEmpty())
        return {}; // every number taken: nothing saved, the drawing stays unsaved
    File1.refresh();
    state.drawingCount = countDrawings(File1);
    state.drawingModified = false;
    return written;
}

QString stepNext(DrawingState &state, FileList &File1) {
    return showAt(state, File1, +1);
}

QString stepPrevious(DrawingState &state, FileList &File1) {
    return showAt(state, File1, -1);
}

bool deleteCurrent(DrawingState &state, FileList &File1) {
    const QString path = File1.entryPath(state.browseIndex);
    bool removed = false;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        QFile file(path);
        removed = file.moveToTrash() || file.remove();
    }
    if (!path.isEmpty()) {
        File1.refresh();
        state.drawingCount = countDrawings(File1);
    }
    return removed;
}

} // namespace garabix::drawings
