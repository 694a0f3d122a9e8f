#include "core/files/drawingtree.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <algorithm>

namespace garabix {

QString TreeDrawing::identity() const {
    return path + QLatin1Char('|') + QString::number(modified) + QLatin1Char('|') +
           QString::number(size);
}

std::vector<TreeDrawing> drawingsUnder(const QString &folder) {
    std::vector<TreeDrawing> found;
    const QDir top(folder);
    QDirIterator it(folder, {QStringLiteral("*.bmp"), QStringLiteral("*.BMP")},
                    QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QString caption = top.relativeFilePath(info.path());
        if (caption == QLatin1String("."))
            caption.clear();
        found.push_back(
            {info.filePath(), caption, info.lastModified().toMSecsSinceEpoch(), info.size()});
    }
    std::sort(found.begin(), found.end(), [](const TreeDrawing &a, const TreeDrawing &b) {
        return a.modified != b.modified ? a.modified > b.modified : a.path < b.path;
    });
    return found;
}

} // namespace garabix
