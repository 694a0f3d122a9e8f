#include "ui/document/colouringpages.h"

#include "core/files/paths.h"
#include "core/files/pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace garabix::pages {

namespace {

const QStringList rasterKinds = {QStringLiteral("png"), QStringLiteral("gif"),
                                 QStringLiteral("bmp"), QStringLiteral("jpg"),
                                 QStringLiteral("jpeg")};

bool isSvg(const QString &file) {
    return QFileInfo(file).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
}

// The largest rectangle of `shape`'s proportions inside `size` less a margin
// of a thirtieth all round, centred.
QRectF placeIn(QSizeF shape, QSize size) {
    const double margin = std::min(size.width(), size.height()) / 30.0;
    const QSizeF room(size.width() - 2 * margin, size.height() - 2 * margin);
    if (shape.isEmpty() || room.isEmpty())
        return {};
    const QSizeF fitted = shape.scaled(room, Qt::KeepAspectRatio);
    return {QPointF((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2),
            fitted};
}

// Line art a school drew: its own transparency is kept, so that a PNG with a
// see-through ground is not taken for black.
QImage readRaster(const QString &file) {
    QImageReader reader(file);
    const QSize claimed = reader.size();
    if (!claimed.isValid() || claimed.width() > maxPictureSide ||
        claimed.height() > maxPictureSide ||
        qint64(claimed.width()) * claimed.height() > maxPicturePixels)
        return {};
    return reader.read();
}

} // namespace

QStringList pageFiles(const QString &appPath) {
    QDir dir(resolvePath(appPath, QStringLiteral("/colorear/")));
    QStringList files;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &f : entries)
        if (isSvg(f.fileName()) || rasterKinds.contains(f.suffix().toLower()))
            files << f.filePath();
    return files;
}

QString pageName(const QString &file) {
    QString name = QFileInfo(file).completeBaseName();
    name.remove(QRegularExpression(QStringLiteral("^[0-9]+[-_ ]*")));
    name.replace(QLatin1Char('-'), QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' '));
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

QImage pageArt(const QString &file, QSize size) {
    if (size.isEmpty())
        return {};
    QImage art(size, QImage::Format_ARGB32_Premultiplied);
    if (art.isNull())
        return {};
    art.fill(Qt::transparent);
    QPainter p(&art);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (isSvg(file)) {
        QSvgRenderer renderer(file);
        const QRectF target = placeIn(renderer.viewBoxF().size(), size);
        if (!renderer.isValid() || target.isEmpty())
            return {};
        renderer.render(&p, target);
        return art;
    }
    const QImage picture = readRaster(file);
    const QRectF target = placeIn(picture.size(), size);
    if (picture.isNull() || target.isEmpty())
        return {};
    p.drawImage(target, picture);
    return art;
}

} // namespace garabix::pages
