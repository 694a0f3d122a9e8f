#pragma once
// Moving a file to the desktop's trash, in the freedesktop.org layout that
// file browsers share: the file goes into <trash>/files and a record of where
// it came from and when into <trash>/info, so the file browser can put it
// back. A missing trash folder is made, without asking.

#include "core/base/outcome.h"

#include <QDateTime>
#include <QString>

namespace garabix::trash {

// The home trash: $XDG_DATA_HOME/Trash, or ~/.local/share/Trash.
QString homeTrash();

// Moves `path` into the trash at `trashFolder`. Answers whether the file is
// now there, and when it is not (the file then stays where it was) why.
Outcome moveToTrash(const QString &path, const QString &trashFolder,
                    const QDateTime &when = QDateTime::currentDateTime());

} // namespace garabix::trash
