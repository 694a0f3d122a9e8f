#include "ui/platform/printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace garabix {

QRectF fitOnPage(QSizeF picture, const QRectF &printable) {
    if (picture.isEmpty() || printable.isEmpty())
        return {};
    const QSizeF size = picture.scaled(printable.size(), Qt::KeepAspectRatio);
    return {printable.left() + (printable.width() - size.width()) / 2,
            printable.top() + (printable.height() - size.height()) / 2, size.width(),
            size.height()};
}

bool printPicture(QPrinter &printer, const QImage &image) {
    if (image.isNull())
        return false;
    printer.setFullPage(false);
    printer.setPageOrientation(image.width() > image.height() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Without the full page, the painter's origin is the printable area's corner.
    const QRectF printable(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    painter.drawImage(fitOnPage(image.size(), printable), image);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

} // namespace garabix
