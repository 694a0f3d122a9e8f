#include "ui/gallery/magicpictures.h"

#include "ui/widgets/uiutil.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace garabix {

namespace {

// The drawing every effect is shown on.
QImage landscape(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(QColor(150, 210, 255));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double u = side / 48.0;
    p.setBrush(QColor(80, 180, 60));
    p.drawEllipse(QRectF(-12 * u, 30 * u, 72 * u, 40 * u));
    p.setBrush(QColor(255, 200, 0));
    p.drawEllipse(QRectF(32 * u, 4 * u, 11 * u, 11 * u));
    p.setBrush(QColor(220, 60, 50));
    p.drawRect(QRectF(8 * u, 22 * u, 16 * u, 14 * u));
    p.setBrush(QColor(120, 60, 30));
    p.drawPolygon(
        QPolygonF({QPointF(5 * u, 23 * u), QPointF(16 * u, 12 * u), QPointF(27 * u, 23 * u)}));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(12 * u, 26 * u, 5 * u, 5 * u));
    return image;
}

} // namespace

QImage magicPicture(Magic effect, int side) {
    QImage image = landscape(side);
    if (isWholePicture(effect)) {
        applyToPicture(image, effect);
        return image;
    }
    const bool kaleidoscope = effect == Magic::Kaleidoscope;
    // A wave across the middle; the kaleidoscope's curl in the top left.
    const int radius = kaleidoscope ? std::max(1, side / 40) : std::max(2, side / 8);
    MagicStroke stroke(effect, radius, 0x1060F0, 7); // orange
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const QPointF at =
            kaleidoscope
                ? QPointF(side * (0.12 + 0.3 * t), side * (0.1 + 0.3 * t * t))
                : QPointF(side * (0.1 + 0.8 * t), side * (0.55 + 0.15 * std::sin(t * 6.2832)));
        stroke.paintTo(image, at);
    }
    return image;
}

QIcon magicButtonIcon(Magic chosen, int side) {
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    namedIcon(QStringLiteral("magic")).paint(&p, QRect(0, 0, side, side));
    const int corner = side / 2;
    const QImage effect = magicPicture(chosen, corner);
    p.drawImage(side - corner, side - corner, effect);
    p.setPen(QPen(QColor(60, 40, 90), std::max(1, side / 24)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(side - corner, side - corner, corner - 1, corner - 1));
    p.end();
    return QIcon(QPixmap::fromImage(icon));
}

} // namespace garabix
