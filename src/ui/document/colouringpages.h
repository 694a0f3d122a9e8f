#pragma once
// The colouring pages: line drawings in the program folder's "colorear"
// folder, SVG drawn at the canvas's own size, or PNG, GIF, BMP or JPEG line
// art a school adds, scaled to it. A page is laid in the middle of the
// canvas, as large as fits with a margin, keeping its shape.

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace garabix::pages {

// The pages' files, sorted by name without regard to case; none when the
// folder is missing.
QStringList pageFiles(const QString &appPath);

// A page's name for the gallery: the file's name without its number and
// extension ("03-gato.svg" is "Gato").
QString pageName(const QString &file);

// The page's art at `size`, on a transparent ground; null when the file
// cannot be read as a drawing.
QImage pageArt(const QString &file, QSize size);

} // namespace garabix::pages
