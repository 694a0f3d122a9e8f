#pragma once
// Gallery arithmetic: where its controls go, thumbnail sizing and paging.
// The gallery was designed in twips (1/1440 inch) at 96 dpi, 15 to a
// pixel; these turn its design into the pixels of a gallery `zoom` times
// that size, and nothing else in the gallery counts in twips.

#include <QImage>
#include <QRect>
#include <QSizeF>

namespace garabix::gallery {

// The nine stamps' places, three by three, k from 0 at the top left.
QRect stampPlace(int k, double zoom);
// The page buttons: 0 the next page, 1 the previous one.
QRect pageButtonPlace(int i, double zoom);
// The stamp's size buttons (0..2) and turn button (3), between the page buttons.
QRect stampOptionPlace(int k, double zoom);
// Their pictures: a stamp at a third, a half and the whole of `side`, and
// arrows turning it upside down.
QImage stampOptionIcon(int k, int side);
// The top left corner of the stamp's preview.
QPoint previewCorner(double zoom);
// A stamp of `picture` pixels as shown in the k-th place: from the place's
// corner, as large as it is when it fits in 2000 x 1600 twips, else its
// longer side fitted (wider than tall: 2000 wide; otherwise 1600 tall).
QRect stampShown(int k, QSize picture, double zoom);

// pageStart after the next (forward) or previous page button. Paging stops
// at the last page that shows a stamp.
int nextPage(int pageStart, int fileCount);
// The start of the last page that shows a stamp.
int lastPage(int fileCount);
int previousPage(int pageStart);

} // namespace garabix::gallery
