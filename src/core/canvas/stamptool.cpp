#include "core/canvas/stamptool.h"

#include "core/text/numeric.h"

namespace garabix {

StampTool::StampTool() : surface(QSize(1, 1)) {}

void StampTool::setPicture(const QImage &picture) {
    pictured = !picture.isNull();
    if (pictured)
        surface.resize(picture.size());
    surface.setBackgroundPicture(picture);
}

void StampTool::colourRegion(double x, double y) {
    const long seed = surface.readPixel(x, y);
    if (seed >= 0)
        surface.floodFill(Layer::Keep, x, y, static_cast<ColourWord>(seed), fillColour);
}

void StampTool::mirror() {
    if (!pictured)
        return;
    const int W = surface.size().width();
    const int H = surface.size().height();
    surface.paintPictureStretched(Layer::Keep, picture().mirrored(true, false), QRectF(0, 0, W, H));
    fillColour = white;
    for (const QPoint corner : {QPoint(1, 1), QPoint(W - 2, H - 2)})
        colourRegion(corner.x(), corner.y());
}

// Upside down the picture is only turned: its colours and its fill stay.
void StampTool::turnUpsideDown() {
    if (pictured)
        surface.setBackgroundPicture(picture().mirrored(false, true));
}

QPoint StampTool::topLeft(double x, double y) const {
    // The pointer's pixel less half the stamp, each rounded half to even.
    return {static_cast<int>(roundHalfEven(x) - roundHalfEven(stampSize.width() / 2)),
            static_cast<int>(roundHalfEven(y) - roundHalfEven(stampSize.height() / 2))};
}

void StampTool::start(double x, double y) {
    pressedAt = QPointF(x, y);
    isPlaying = true;
}

QPoint StampTool::land() {
    isPlaying = false;
    return topLeft(pressedAt.x(), pressedAt.y());
}

} // namespace garabix
