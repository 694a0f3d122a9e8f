#pragma once
// Data paths are the program folder followed by a relative path
// ("/configuracion/mdg.txt"; backslashes are read as slashes). Each part of
// the relative path is matched without regard to case when the exact name is
// missing, so "/Configuracion/" finds "configuracion".

#include <QString>

namespace garabix {

// Joins appPath and a relative path, resolving each part's case against what
// exists on disk. Parts that match nothing are kept as written.
QString resolvePath(const QString &appPath, const QString &relative);

// Looks one name up in a folder: the exact name if it exists, else the first
// entry equal to it without regard to case, else nothing.
QString findEntry(const QString &folder, const QString &name);

} // namespace garabix
