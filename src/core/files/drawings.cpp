#include "core/files/drawings.h"

#include "core/base/log.h"
#include "core/files/numbering.h"
#include "core/files/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
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

// The leading number of a drawing's name "<digits>.bmp", or -1.
long long drawingNumber(const QString &name) {
    if (!name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive) || name.size() < 5 ||
        name.size() > 4 + 18)
        return -1;
    long long n = 0;
    for (int i = 0; i < name.size() - 4; ++i) {
        const QChar c = name[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

// Steps from browsePosition in drawingOrder, forward or back, among the files
// in the folder now, to the first one `show` takes, passing over at most
// filesPassedOverAtMost it refuses. The position moves only to a file shown.
QString showAt(DrawingFolder &folder, bool forward, const ShowFile &show) {
    constexpr int filesPassedOverAtMost = 20;
    FileList &files = folder.files;
    files.refresh();
    QString at = folder.browsePosition;
    if (!forward && at.isEmpty())
        return {}; // nothing lies before the first step
    for (int passedOver = 0; passedOver <= filesPassedOverAtMost; ++passedOver) {
        QString found;
        for (int i = 0; i < files.count(); ++i) {
            const QString name = files.entry(i);
            const bool beyond =
                at.isEmpty() || (forward ? drawingOrder(at, name) : drawingOrder(name, at));
            const bool nearer = found.isEmpty() ||
                                (forward ? drawingOrder(name, found) : drawingOrder(found, name));
            if (beyond && nearer)
                found = name;
        }
        if (found.isEmpty())
            return {};
        const QString path = files.path() + QLatin1Char('/') + found;
        if (!show || show(path)) {
            folder.browsePosition = found;
            return path;
        }
        at = found;
    }
    return {};
}

// Reads the folder again and counts its files.
void recount(DrawingFolder &folder) {
    folder.files.refresh();
    folder.drawingCount = countDrawings(folder.files);
}

} // namespace

QString drawingsFolder(const QString &appPath) {
    const QString beside = findEntry(appPath, QStringLiteral("misdibujos"));
    if (QFileInfo(appPath).isWritable()) {
        if (beside.isEmpty())
            QDir(appPath).mkdir(QStringLiteral("misdibujos"));
        return resolvePath(appPath, QStringLiteral("/misdibujos"));
    }
    // A read-only program folder may still hold a drawings folder everybody
    // can write to, set up by whoever installed it.
    const QFileInfo shared(appPath + QLatin1Char('/') + beside);
    if (!beside.isEmpty() && shared.isDir() && shared.isWritable())
        return shared.filePath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString own = data + QStringLiteral("/garabix/misdibujos");
    QDir().mkpath(own);
    return own;
}

int16_t countDrawings(const FileList &files) {
    return static_cast<int16_t>(std::min(files.count(), 32767));
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

bool drawingOrder(const QString &a, const QString &b) {
    const long long na = drawingNumber(a), nb = drawingNumber(b);
    if ((na >= 0) != (nb >= 0))
        return na >= 0;
    if (na >= 0 && na != nb)
        return na < nb;
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

SaveResult saveDrawing(DrawingFolder &folder, const QImage &canvas, bool modified, bool pastLimit) {
    if (!modified)
        return {SaveResult::Unchanged, {}, {}};
    if (folder.maxDrawings <= 0)
        return {SaveResult::SavingOff, {}, {}};
    // Counted afresh: drawings deleted by the bin, by a parent or by another
    // copy of the program make room at once.
    recount(folder);
    if (!(folder.maxDrawings > folder.drawingCount)) {
        if (!pastLimit)
            return {SaveResult::LimitReached, {}, {}};
        qCWarning(logFiles) << "the drawings folder" << folder.files.path() << "holds"
                            << folder.drawingCount << "drawings, its limit; the session ends, "
                            << "so the changed drawing is saved past it";
    }
    const QString path = folder.files.path();
    if (canvas.isNull() || path.isEmpty())
        return {SaveResult::Failed, {}, Outcome::failed(ENOENT)};
    const Written written =
        writeUnderFreeNumber(path, bmpBytes(canvas), highestNumber, folder.files.entries());
    if (!written.outcome.ok())
        return {SaveResult::Failed, {}, written.outcome};
    if (written.path.isEmpty())
        return {SaveResult::NoNumberLeft, {}, {}};
    recount(folder);
    return {SaveResult::Saved, written.path, {}};
}

QString stepNext(DrawingFolder &folder, const ShowFile &show) {
    return showAt(folder, true, show);
}

QString stepPrevious(DrawingFolder &folder, const ShowFile &show) {
    return showAt(folder, false, show);
}

DeleteResult deleteShown(DrawingFolder &folder, const QString &path,
                         const std::function<Outcome(const QString &)> &trash) {
    if (path.isEmpty())
        return {DeleteResult::Nothing, {}};
    if (QFileInfo(path).isFile())
        if (const Outcome trashed = trash(path); !trashed.ok())
            return {DeleteResult::Failed, trashed};
    // Deleted, or already gone behind the program's back: either way it is
    // no longer a saved drawing.
    recount(folder);
    return {DeleteResult::Deleted, {}};
}

} // namespace garabix::drawings
