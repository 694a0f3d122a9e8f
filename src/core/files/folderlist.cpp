#include "core/files/folderlist.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace garabix {

bool EntryList::setPath(const QString &f) {
    if (!QFileInfo(f).isDir())
        return false;
    forcePath(f);
    return true;
}

void EntryList::forcePath(const QString &f) {
    folder = f;
    while (folder.size() > 1 &&
           (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    refresh();
}

void EntryList::refresh() {
    names.clear();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    const QDir::Filters filters =
        kind == Kind::Folders ? (QDir::Dirs | QDir::NoDotAndDotDot) : QDir::Files;
    names = QDir(folder).entryList(filters, QDir::Unsorted);
    // Plain text order without regard to case: "10.bmp" before "2.bmp".
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QString EntryList::entry(int i) const {
    if (i < 0 || i >= names.size())
        return {};
    return names[i];
}

QString EntryList::entryPath(int i) const {
    const QString name = entry(i);
    return name.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

} // namespace garabix
