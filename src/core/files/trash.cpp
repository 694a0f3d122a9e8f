#include "core/files/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>
#include <cstdio>

namespace garabix::trash {

QString homeTrash() {
    // The generic data location honours XDG_DATA_HOME and falls back on
    // ~/.local/share, where the desktop's file browsers look for the trash.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/Trash");
}

namespace {

bool makePrivateFolder(const QString &path) {
    if (QFileInfo(path).isDir())
        return true;
    if (!QDir().mkpath(path))
        return false;
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Writes the trash record under a name nobody holds yet and answers that
// name, or empty.
QString writeRecord(const QString &infoFolder, const QString &filesFolder, const QString &fileName,
                    const QString &original, const QDateTime &when) {
    const QByteArray body = "[Trash Info]\nPath=" + QUrl::toPercentEncoding(original, "/") +
                            "\nDeletionDate=" + when.toString(Qt::ISODate).left(19).toUtf8() + "\n";
    const QFileInfo info(fileName);
    for (int k = 1; k < 10000; ++k) {
        const QString name =
            k == 1
                ? fileName
                : QStringLiteral("%1.%2%3")
                      .arg(info.completeBaseName())
                      .arg(k)
                      .arg(info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix());
        if (QFileInfo::exists(filesFolder + QLatin1Char('/') + name))
            continue;
        QFile record(infoFolder + QLatin1Char('/') + name + QStringLiteral(".trashinfo"));
        if (!record.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (record.exists())
                continue; // that name is taken in the trash
            return {};
        }
        if (record.write(body) != body.size()) {
            record.close();
            record.remove();
            return {};
        }
        return name;
    }
    return {};
}

} // namespace

bool moveToTrash(const QString &path, const QString &trashFolder, const QDateTime &when) {
    const QFileInfo source(path);
    if (trashFolder.isEmpty() || !source.isFile())
        return false;
    const QString files = trashFolder + QStringLiteral("/files");
    const QString info = trashFolder + QStringLiteral("/info");
    if (!makePrivateFolder(trashFolder) || !makePrivateFolder(files) || !makePrivateFolder(info))
        return false;
    const QString name =
        writeRecord(info, files, source.fileName(), source.absoluteFilePath(), when);
    if (name.isEmpty())
        return false;
    const QString record = info + QLatin1Char('/') + name + QStringLiteral(".trashinfo");
    const QString target = files + QLatin1Char('/') + name;
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) ==
        0)
        return true;
    // On another file system: a copy into the trash, then the original goes.
    if (errno == EXDEV && QFile::copy(path, target)) {
        if (QFile::remove(path))
            return true;
        QFile::remove(target);
    }
    QFile::remove(record);
    return false;
}

} // namespace garabix::trash
