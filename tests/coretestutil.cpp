#include "coretestutil.h"

#include "core/canvas/colour.h"
#include "gifwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace garabix::test {

void ProgramFolder::write(const QString &relative, const QByteArray &bytes) {
    const QString full = dir.path() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void ProgramFolder::mkdir(const QString &relative) {
    QDir(dir.path()).mkpath(relative);
}

void ProgramFolder::writeDefaultConfiguration() {
    write(QStringLiteral("configuracion/mdg.txt"), "500\n");
    write(QStringLiteral("configuracion/anchorejilla.txt"), "20\n");
    QByteArray texts;
    for (int i = 0; i < 30; ++i)
        texts += "t" + QByteArray::number(i) + "\r\n";
    write(QStringLiteral("configuracion/idioma.txt"), texts);
}

void ProgramFolder::writeStamp(const QString &relative, int size, int frames) {
    QVector<QImage> images;
    for (int i = 0; i < frames; ++i) {
        QImage img(size, size, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.fillRect(size / 4 + i, size / 4, size / 2, size / 2, Qt::black);
        images.append(img);
    }
    const QString full = dir.path() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(full).path());
    gif::Options o;
    o.delayCentiseconds = 2;
    gif::writeGif(full, images, o);
}

bool writeGifCutAfterFirstFrame(const QString &path, const QVector<QImage> &frames) {
    if (!gif::writeGif(path, frames.mid(0, 1)))
        return false;
    const qint64 firstFrameEnds = QFileInfo(path).size() - 1; // before the trailer byte
    if (!gif::writeGif(path, frames))
        return false;
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.resize(firstFrameEnds + 12);
}

bool writeGifWithPaletteOnFirstFrameOnly(const QString &path, const QVector<QImage> &frames,
                                         int delayCentiseconds) {
    gif::Options o;
    o.delayCentiseconds = delayCentiseconds;
    if (!gif::writeGif(path, frames, o))
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray b = f.readAll();
    f.close();
    // The writer's global palette: 256 colours after the screen descriptor.
    if (b.size() < 13 + 768 || !(b[10] & 0x80))
        return false;
    const QByteArray palette = b.mid(13, 768);
    b[10] = char(b[10] & 0x78);
    b.remove(13, 768);
    // Blocks: extensions (0x21, label, sub-blocks), images (0x2C, 9 bytes of
    // descriptor, code size, sub-blocks), the trailer (0x3B).
    int pos = 13;
    bool first = true;
    auto skipSubBlocks = [&] {
        while (pos < b.size() && b[pos] != 0)
            pos += 1 + quint8(b[pos]);
        ++pos;
    };
    while (pos < b.size() && b[pos] != 0x3B) {
        if (b[pos] == 0x21) {
            pos += 2;
            skipSubBlocks();
        } else if (b[pos] == 0x2C) {
            if (first) {
                b[pos + 9] = char(b[pos + 9] | 0x87); // a local palette of 256
                b.insert(pos + 10, palette);
                pos += 768;
                first = false;
            }
            pos += 11;
            skipSubBlocks();
        } else {
            return false;
        }
    }
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
}

long processMemoryKb(const char *field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return 0;
}

unsigned colourAt(const QImage &image, int x, int y) {
    return fromRgb(image.pixel(x, y));
}

int countColour(const QImage &image, unsigned colour, const QRect &area) {
    const QRect r = area.isNull() ? image.rect() : (area & image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (fromRgb(image.pixel(x, y)) == colour)
                ++n;
    return n;
}

} // namespace garabix::test
