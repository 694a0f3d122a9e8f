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

void ProgramFolder::writeStamp(const QString &relative, int size, int frames, int centiseconds) {
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
    o.delayCentiseconds = centiseconds;
    gif::writeGif(full, images, o);
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
