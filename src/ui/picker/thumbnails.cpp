#include "ui/picker/thumbnails.h"

#include "core/files/pictures.h"
#include "core/text/log.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>

namespace garabix::thumbnails {

namespace {

// One cache file per path, size and time.
QString cachePath(const QFileInfo &file) {
    const QByteArray key = file.absoluteFilePath().toUtf8() + '\n' +
                           QByteArray::number(file.size()) + '\n' +
                           QByteArray::number(file.lastModified().toMSecsSinceEpoch());
    return cacheFolder() + QLatin1Char('/') +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex()) +
           QStringLiteral(".png");
}

// No drawing is larger than a canvas on the largest screen; anything larger
// in the folder is shown as a placeholder rather than decoded.
constexpr int largestDrawingSide = 8192;

QImage makeThumbnail(const QString &path) {
    QImageReader header(path);
    header.setDecideFormatFromContent(true);
    const QSize size = header.size();
    if (!size.isValid() || size.width() > largestDrawingSide ||
        size.height() > largestDrawingSide)
        return {};
    const QImage picture = loadPicture(path);
    if (picture.isNull())
        return {};
    return picture.scaled(maxSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

QString cacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/garabix/thumbnails");
}

QImage thumbnail(const QString &path) {
    const QFileInfo file(path);
    if (!file.isFile())
        return placeholder();
    const QString cached = cachePath(file);
    QImageReader reader(cached);
    QImage image = reader.read();
    if (!image.isNull() && image.width() <= maxSize.width() && image.height() <= maxSize.height())
        return image.convertToFormat(QImage::Format_RGB32);
    image = makeThumbnail(path);
    if (image.isNull()) {
        qCWarning(logFiles) << "saved drawing could not be read for the picker:" << path;
        return placeholder();
    }
    // A cache that cannot be written only costs the time to make it again.
    QDir().mkpath(cacheFolder());
    QSaveFile out(cached);
    if (out.open(QIODevice::WriteOnly) && image.save(&out, "PNG"))
        out.commit();
    return image;
}

QImage placeholder() {
    QImage image(maxSize.width(), maxSize.height() * 3 / 4, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(170, 170, 170), 8, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(image.width() / 2.0, image.height() / 2.0);
    p.drawLine(c + QPointF(-24, -24), c + QPointF(24, 24));
    p.drawLine(c + QPointF(24, -24), c + QPointF(-24, 24));
    return image;
}

} // namespace garabix::thumbnails
