#pragma once
// Gallery arithmetic: thumbnail sizing and paging.

#include <QSizeF>

namespace garabix::gallery {

// The slot size (twips) for a picture of natural size w x h twips: kept when
// it fits in 2000 x 1600, else its longer side is fitted (wider than tall:
// width 2000; otherwise height 1600).
QSizeF thumbnailSize(double w, double h);

// pageStart after the next (forward) or previous page button. Paging stops
// at the last page that shows a stamp.
int nextPage(int pageStart, int fileCount);
// The start of the last page that shows a stamp.
int lastPage(int fileCount);
int previousPage(int pageStart);

} // namespace garabix::gallery
