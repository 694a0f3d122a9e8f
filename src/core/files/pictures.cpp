#include "core/files/pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <cstdlib>

namespace garabix {

bool truncatedBmp(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray h = file.read(54);
    if (h.size() < 2 || !h.startsWith("BM"))
        return false;
    if (h.size() < 30)
        return true; // not even the picture's size is there
    const auto u32 = [&h](int at) { return qFromLittleEndian<quint32>(h.constData() + at); };
    const auto u16 = [&h](int at) { return qFromLittleEndian<quint16>(h.constData() + at); };
    const qint64 size = file.size();
    const qint64 offset = u32(10);
    if (u32(14) < 40) // an old OS/2 header: 16-bit sizes, no compression
        return offset >= size;
    if (h.size() < 38)
        return true;
    const qint64 width = static_cast<qint32>(u32(18));
    const qint64 height = std::abs(static_cast<qint64>(static_cast<qint32>(u32(22))));
    const qint64 bits = u16(28);
    const quint32 compression = u32(30);
    if (width > maxPictureSide * 4 || height > maxPictureSide * 4 || bits > 64)
        return false;        // refused by its size anyway
    qint64 needed = u32(34); // compressed: the header says how much
    if (compression == 0 || compression == 3 || compression == 6) // plain rows
        needed = (width * bits + 31) / 32 * 4 * height;
    return width > 0 && height > 0 && offset + needed > size;
}

void limitPictureMemory() {
    QImageReader::setAllocationLimit(256);
}

QImage loadPicture(const QString &path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // Qt shows a BMP cut short with black where its rows are missing.
    if (truncatedBmp(path))
        return {};
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
