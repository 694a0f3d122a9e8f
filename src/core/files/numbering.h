#pragma once
// Giving a finished drawing a number of its own in a folder that several
// computers may share (claim.h says how a number is claimed). The holder of
// the claim moves its temporary file to "<n>.bmp" (without replacing, where
// the file system can), reads it back, and only then gives up the claim.
// Only a file that reads back as the drawing counts as saved.

#include "core/base/outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace garabix::drawings {

// What writing under a free number came to: the path written (empty when
// every number up to `highest` is taken or the folder failed), and the
// system's answer.
struct Written {
    QString path;
    Outcome outcome;
};

// Writes `bytes` under the first free number "<n>.bmp", n from 0 to
// `highest`, in `folder`. Removes first the temporary files and claims that
// are certainly abandoned. Names in `listed` (a fresh listing of the folder)
// are passed over without asking the disk: on a file server each question
// is a round trip.
Written writeUnderFreeNumber(const QString &folder, const QByteArray &bytes, int highest,
                             const QStringList &listed = {});

// Whether a name is one of the save's own hidden files and folders
// (temporary files, claims), which are no drawings.
bool isSaveTemporary(const QString &fileName);

} // namespace garabix::drawings
