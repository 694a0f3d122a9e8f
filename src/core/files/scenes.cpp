#include "core/files/scenes.h"

#include "core/files/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace garabix {

QString scenePath(const QString &appPath, int n) {
    return resolvePath(appPath, QStringLiteral("/escenarios/%1.gif").arg(n));
}

int stepScene(int index, int count, bool forward) {
    if (forward)
        return index + 1 == count + 1 ? 1 : index + 1;
    return index - 1 <= 0 ? count : index - 1;
}

int countScenes(const QString &appPath) {
    const QString folder = resolvePath(appPath, QStringLiteral("/escenarios"));
    // One listing instead of a look-up per number: a folder may hold many files.
    QSet<QString> files;
    const QFileInfoList infos = QDir(folder).entryInfoList(QDir::Files);
    for (const QFileInfo &fi : infos)
        files.insert(fi.fileName().toLower());
    int n = 1;
    while (files.contains(QStringLiteral("%1.gif").arg(n)))
        ++n;
    return n - 1;
}

} // namespace garabix
