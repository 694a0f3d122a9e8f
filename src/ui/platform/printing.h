#pragma once
// Printing a drawing: the whole picture on one page, as large as the page's
// printable area allows, in its own proportions, centred, the page turned
// to the picture's shape.

#include <QImage>
#include <QRectF>
#include <QSizeF>

class QPrinter;

namespace garabix {

// Where a picture of `picture`'s size goes in `printable`: the largest
// rectangle of its proportions that fits, centred.
QRectF fitOnPage(QSizeF picture, const QRectF &printable);

// Prints `image` as one page on `printer`, landscape for a wide picture and
// portrait for a tall one. Answers whether the page went out.
bool printPicture(QPrinter &printer, const QImage &image);

} // namespace garabix
