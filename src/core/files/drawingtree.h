#pragma once
// The drawings of a folder and its subfolders, for the slideshow: a class's
// share holds a folder for each pupil. Newest first; each with the folder it
// lies in, below the top one, as its caption (the pupil's folder name).

#include <QString>
#include <vector>

namespace garabix {

struct TreeDrawing {
    QString path;
    QString caption;     // the folder below the top one; empty in the top folder
    qint64 modified = 0; // milliseconds since the epoch
    qint64 size = 0;
    // What changes when the file is written again.
    QString identity() const;
};

// Every BMP file under `folder`, hidden files and folders left out, newest
// first, then by path. A folder that cannot be read gives what it could.
std::vector<TreeDrawing> drawingsUnder(const QString &folder);

} // namespace garabix
