#include "core/files/paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace garabix {

QString findEntry(const QString &folder, const QString &name) {
    if (name.isEmpty())
        return {};
    if (QFileInfo::exists(folder + QLatin1Char('/') + name))
        return name;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString entry = it.fileName();
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QString resolvePath(const QString &appPath, const QString &relative) {
    QString path = appPath;
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    bool onDisk = true;
    for (const QString &part : parts) {
        QString found = onDisk ? findEntry(path, part) : QString();
        if (found.isEmpty()) {
            found = part;
            onDisk = false;
        }
        path += QLatin1Char('/') + found;
    }
    return path;
}

} // namespace garabix
