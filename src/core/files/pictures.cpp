#include "core/files/pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace garabix {

void limitPictureMemory() {
    QImageReader::setAllocationLimit(256);
}

QImage loadPicture(const QString &path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    auto tooLarge = [](QSize size) {
        return size.width() > maxPictureSide || size.height() > maxPictureSide ||
               qint64(size.width()) * size.height() > maxPicturePixels;
    };
    // The header's size is checked before decoding; some files only tell
    // their real size while they are decoded, so the result is checked too.
    const QSize size = reader.size();
    if (size.isValid() && tooLarge(size))
        return {};
    QImage image = reader.read();
    if (image.isNull() || tooLarge(image.size()))
        return {};
    if (image.hasAlphaChannel()) {
        // See-through pixels show white, the canvas's background.
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter p(&opaque);
        p.drawImage(0, 0, image);
        return opaque;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace garabix
