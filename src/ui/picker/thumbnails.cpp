#include "ui/picker/thumbnails.h"

#include "core/base/log.h"
#include "core/files/pictures.h"

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
    if (!size.isValid() || size.width() > largestDrawingSide || size.height() > largestDrawingSide)
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
        return {};
    const QString cached = cachePath(file);
    QImageReader reader(cached);
    QImage image = reader.read();
    if (!image.isNull() && image.width() <= maxSize.width() && image.height() <= maxSize.height())
        return image.convertToFormat(QImage::Format_RGB32);
    image = makeThumbnail(path);
    if (image.isNull()) {
        qCWarning(logFiles) << "saved drawing could not be read for the picker:" << path;
        return {};
    }
    // A cache that cannot be written only costs the time to make it again.
    QDir().mkpath(cacheFolder());
    QSaveFile out(cached);
    if (out.open(QIODevice::WriteOnly) && image.save(&out, "PNG"))
        out.commit();
    return image;
}

QImage damagedTile(const QString &fileName) {
    QImage image(maxSize, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A picture frame, crossed out.
    const QRectF frame(maxSize.width() / 2.0 - 40, 10, 80, 60);
    p.setPen(QPen(QColor(150, 150, 150), 4));
    p.drawRect(frame);
    p.setPen(QPen(QColor(200, 40, 40), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(frame.topLeft(), frame.bottomRight());
    p.drawLine(frame.topRight(), frame.bottomLeft());
    QFont font = p.font();
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(60, 60, 60));
    const QRectF below(4, frame.bottom() + 6, maxSize.width() - 8,
                       maxSize.height() - frame.bottom() - 8);
    p.drawText(
        below, Qt::AlignCenter,
        QFontMetrics(font).elidedText(fileName, Qt::ElideMiddle, static_cast<int>(below.width())));
    return image;
}

} // namespace garabix::thumbnails
