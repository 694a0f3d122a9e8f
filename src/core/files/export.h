#pragma once
// The picture out: a drawing copied as a PNG into a folder of the family's
// own (their pictures folder), under a name that says when, never over a
// file that is there.

#include "core/base/outcome.h"

#include <QDateTime>
#include <QImage>
#include <QString>

namespace garabix::exporting {

// The user's pictures folder (XDG_PICTURES_DIR, or ~/Pictures).
QString picturesFolder();

struct Exported {
    QString path; // the PNG written; empty when it failed
    Outcome outcome;
};

// Writes `picture` as "garabix-YYYY-MM-DD-HHMMSS.png" (then "...-2.png",
// "...-3.png" when the name is taken) into `folder`, which is made when
// missing. A file that is there is never written over.
Exported exportPng(const QImage &picture, const QString &folder,
                   const QDateTime &when = QDateTime::currentDateTime());

} // namespace garabix::exporting
