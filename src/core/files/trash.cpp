#include "core/files/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace garabix::trash {

QString homeTrash() {
    // The generic data location honours XDG_DATA_HOME and falls back on
    // ~/.local/share, where the desktop's file browsers look for the trash.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/Trash");
}

namespace {

Outcome makePrivateFolder(const QString &path) {
    if (QFileInfo(path).isDir())
        return Outcome::done();
    QDir().mkpath(QFileInfo(path).path()); // the data folder of a new account, say
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return Outcome::fromErrno();
    return QFileInfo(path).isDir() ? Outcome::done() : Outcome::failed(ENOTDIR);
}

// Writes the trash record under a name nobody holds yet and answers that
// name, or empty with the reason in errno.
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

Outcome moveToTrash(const QString &path, const QString &trashFolder, const QDateTime &when) {
    const QFileInfo source(path);
    if (trashFolder.isEmpty())
        return Outcome::failed(ENOENT);
    if (!source.isFile())
        return Outcome::failed(source.exists() ? EISDIR : ENOENT);
    const QString files = trashFolder + QStringLiteral("/files");
    const QString info = trashFolder + QStringLiteral("/info");
    for (const QString &folder : {trashFolder, files, info})
        if (const Outcome made = makePrivateFolder(folder); !made.ok())
            return made;
    errno = 0;
    const QString name =
        writeRecord(info, files, source.fileName(), source.absoluteFilePath(), when);
    if (name.isEmpty())
        return Outcome::fromErrno();
    const QString record = info + QLatin1Char('/') + name + QStringLiteral(".trashinfo");
    const QString target = files + QLatin1Char('/') + name;
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) ==
        0)
        return Outcome::done();
    Outcome failure = Outcome::fromErrno();
    // On another file system: a copy into the trash, then the original goes.
    if (failure.error == EXDEV && QFile::copy(path, target)) {
        if (::unlink(QFile::encodeName(path).constData()) == 0)
            return Outcome::done();
        failure = Outcome::fromErrno();
        QFile::remove(target);
    }
    QFile::remove(record);
    return failure;
}

} // namespace garabix::trash
