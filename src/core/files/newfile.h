#pragma once
// Writing a file that must not exist yet: the name is claimed by the
// creation itself, so two writers never share one.

#include "core/base/outcome.h"

#include <QByteArray>
#include <QString>

namespace garabix {

// Writes `bytes` to a new file at `path`, through to the disk. EEXIST when
// something stands under the name; a failed write leaves no file.
Outcome writeExclusive(const QString &path, const QByteArray &bytes);

} // namespace garabix
