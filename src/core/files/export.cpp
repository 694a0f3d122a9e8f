#include "core/files/export.h"

#include "core/files/newfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace garabix::exporting {

QString picturesFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

Exported exportPng(const QImage &picture, const QString &folder, const QDateTime &when) {
    if (picture.isNull() || folder.isEmpty())
        return {{}, Outcome::failed(EINVAL)};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return {{}, Outcome::failed(EINVAL)};
    if (!QDir().mkpath(folder))
        return {{}, Outcome::fromErrno()};
    const QString stem =
        folder + QStringLiteral("/garabix-") + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    for (int k = 1; k < 1000; ++k) {
        const QString path =
            stem + (k == 1 ? QString() : QStringLiteral("-%1").arg(k)) + QStringLiteral(".png");
        const Outcome written = writeExclusive(path, bytes);
        if (written.error == EEXIST)
            continue;
        return {written.ok() ? path : QString(), written};
    }
    return {{}, Outcome::failed(EEXIST)};
}

} // namespace garabix::exporting
