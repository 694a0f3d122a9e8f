#pragma once
// Small pictures of saved drawings for the picker, made on any thread and
// kept in the user's cache folder (~/.cache/garabix/thumbnails), one file a
// drawing, named after the drawing's path, size and time, so that a drawing
// changed or replaced gets a new one. A file that cannot be read as a
// picture (a damaged drawing) gets none.

#include <QImage>
#include <QSize>
#include <QString>

namespace garabix::thumbnails {

// The largest a thumbnail is; it keeps the drawing's proportions.
constexpr QSize maxSize(208, 120);

// The folder the thumbnails are kept in.
QString cacheFolder();

// The thumbnail of the drawing at `path`, from the cache or made now (and
// then kept); null when the file cannot be read as a drawing. Safe to call
// from several threads at once.
QImage thumbnail(const QString &path);

// The picture shown for a file that cannot be read: a crossed-out picture
// and the file's name under it. On the interface thread only (it writes).
QImage damagedTile(const QString &fileName);

} // namespace garabix::thumbnails
