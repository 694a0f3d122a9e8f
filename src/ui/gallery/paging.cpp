#include "ui/gallery/paging.h"

#include "core/text/numeric.h"

namespace garabix::gallery {

QSizeF thumbnailSize(double w, double h) {
    const double hr = roundHalfEven(h);
    if (w < 2000 && hr < 1600)
        return {w, hr};
    if (w > hr)
        return {2000, double(intDiv(hr * 2000, w).value_or(0))};
    return {double(intDiv(w * 1600, hr).value_or(0)), 1600};
}

int nextPage(int pageStart, int fileCount) {
    return pageStart + 9 < fileCount ? pageStart + 9 : pageStart;
}

int lastPage(int fileCount) {
    return fileCount > 0 ? (fileCount - 1) / 9 * 9 : 0;
}

int previousPage(int pageStart) {
    return pageStart > 8 ? pageStart - 9 : pageStart;
}

} // namespace garabix::gallery
