#include "ui/gallery/paging.h"

#include "core/text/numeric.h"
#include "ui/mainwindow/layout.h"

#include <QPainter>
#include <algorithm>

namespace garabix::gallery {

namespace {

constexpr double tpp = 15; // the gallery is laid out at 96 dpi
constexpr double columns[3] = {2520, 4920, 7320};
constexpr double rows[3] = {360, 2400, 4440};

QRect place(double l, double t, double w, double h, double zoom) {
    return layout::twipsToPixels(QRectF(l * zoom, t * zoom, w * zoom, h * zoom), tpp);
}

// The slot size (twips) for a picture of natural size w x h twips.
QSizeF thumbnailSize(double w, double h) {
    const double hr = roundHalfEven(h);
    if (w < 2000 && hr < 1600)
        return {w, hr};
    if (w > hr)
        return {2000, double(intDiv(hr * 2000, w).value_or(0))};
    return {double(intDiv(w * 1600, hr).value_or(0)), 1600};
}

} // namespace

QRect stampPlace(int k, double zoom) {
    return place(columns[k % 3], rows[k / 3], 2055, 1695, zoom);
}

QRect pageButtonPlace(int i, double zoom) {
    return i == 0 ? place(7320, 6360, 2055, 495, zoom) : place(2640, 6360, 1935, 495, zoom);
}

QRect stampOptionPlace(int k, double zoom) {
    // Four of 495 twips with gaps of 90, centred between 4575 and 7320.
    return place(4683 + k * 585, 6360, 495, 495, zoom);
}

QImage stampOptionIcon(int k, int side) {
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(60, 40, 0), std::max(1.0, side / 16.0)));
    p.setBrush(QColor(255, 170, 40));
    const double c = side / 2.0;
    if (k < 3) {
        const double r = side * (k == 0 ? 0.17 : k == 1 ? 0.3 : 0.46);
        p.drawEllipse(QPointF(c, c), r, r);
        return icon;
    }
    // A stamp's house shape upside down between two curved arrows.
    const double u = side / 28.0;
    p.drawPolygon(QPolygonF({QPointF(8 * u, 9 * u), QPointF(20 * u, 9 * u), QPointF(20 * u, 16 * u),
                             QPointF(14 * u, 22 * u), QPointF(8 * u, 16 * u)}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 90, 200), 2.2 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(2 * u, 2 * u, 24 * u, 24 * u), 100 * 16, 70 * 16);
    p.drawArc(QRectF(2 * u, 2 * u, 24 * u, 24 * u), 280 * 16, 70 * 16);
    return icon;
}

QPoint previewCorner(double zoom) {
    return place(360, 4560, 0, 0, zoom).topLeft();
}

QRect stampShown(int k, QSize picture, double zoom) {
    const QSizeF size = thumbnailSize(picture.width() * tpp, picture.height() * tpp);
    return QRect(place(columns[k % 3], rows[k / 3], 0, 0, zoom).topLeft(),
                 QSize(static_cast<int>(roundToInt(size.width() * zoom / tpp)),
                       static_cast<int>(roundToInt(size.height() * zoom / tpp))));
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
