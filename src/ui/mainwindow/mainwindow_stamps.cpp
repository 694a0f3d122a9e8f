// MainWindow's stamps: the outline that follows the pointer, the animation played
// where the child presses, the picture pressed onto the canvas when it ends,
// colouring the stamp picture, mirroring it, and the gallery's pick.

#include "core/text/numeric.h"
#include "ui/common/animationplayer.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"

#include <cmath>

namespace garabix {

namespace {
long long halfTwips(double twips) {
    return roundToInt(twips) / 2;
}
} // namespace

const QImage &MainWindow::stampPicture() const {
    return stampBox->picture();
}

void MainWindow::stampChosen(const QString &file, const QImage &picture) {
    currentStamp = file;
    stampBox->setPicture(picture);
    placeStampOnBottomEdge();
    show();
    raise();
    activateWindow();
}

// The stamp as the canvas presses it: as large as it shows on the screen.
QImage MainWindow::canvasStamp() const {
    const QImage &picture = stampBox->picture();
    if (canvasScale == 1 || picture.isNull())
        return picture;
    return picture.scaled(static_cast<int>(canvasPixels(picture.width())),
                          static_cast<int>(canvasPixels(picture.height())), Qt::IgnoreAspectRatio,
                          Qt::FastTransformation);
}

// From the pointer to the stamp's top-left corner, in canvas pixels: half
// the stamp picture's size on the window.
QPointF MainWindow::stampOffset() const {
    const QRectF r = twipsRect(stampBox);
    return QPointF(double(halfTwips(r.width())) / twipsPerPixel,
                   double(halfTwips(r.height())) / twipsPerPixel) *
           canvasScale;
}

void MainWindow::stampPreview(double x, double y) {
    document.canvas().repaint();
    const QRectF r = twipsRect(stampBox);
    const int tpp = twipsPerPixel;
    // Whole pixels of the window, as the outline has always been placed.
    const auto px = roundToInt(x) - std::llround(double(halfTwips(r.width()) / tpp) * canvasScale);
    const auto py = roundToInt(y) - std::llround(double(halfTwips(r.height()) / tpp) * canvasScale);
    document.canvas().paintPictureAnd(Layer::Preview, canvasStamp(), static_cast<int>(px),
                                      static_cast<int>(py));
}

void MainWindow::stampStart(double x, double y) {
    state.stampPreview = false;
    state.stampY = y;
    state.stampX = x;
    stampBox->show();
    document.canvas().repaint();
    const QRectF r = twipsRect(stampBox);
    const QRectF c = twipsRect(canvasView);
    // The player stands where the stamp lands, in the window's pixels.
    const double tpp = twipsPerPixel / canvasScale;
    const double top = tpp * y + c.top() - halfTwips(r.height());
    const double left = tpp * x + c.left() - halfTwips(r.width());
    placeTwips(stampPlayer, QRectF(left, top, r.width(), r.height()));
    // The canvas waits for the animation's end; that end never comes inside
    // the call that starts it.
    canvasView->setEnabled(false);
    stampPlayer->setFile(currentStamp);
    stampPlayer->show();
    stampPlayer->raise();
}

void MainWindow::stampPlayed() {
    const QImage picture = canvasStamp();
    canvasView->setEnabled(true);
    stampPlayer->hide();
    const QPointF offset = stampOffset();
    const auto x = toInt16(roundHalfEven(state.stampX) - offset.x()).value_or(0);
    const auto y = toInt16(roundHalfEven(state.stampY) - offset.y()).value_or(0);
    document.canvas().blitMasked(Layer::Keep, picture, 0, 0, picture.width(), picture.height(), x,
                                 y, white);
    document.canvas().repaint();
    state.stampPreview = true;
    document.snapshot();
}

void MainWindow::stampBoxPressed(Qt::MouseButton button, double x, double y) {
    if (button != Qt::LeftButton)
        return;
    state.currentTool = Tool::Stamp;
    showChoices();
    CanvasSurface &s = stampBox->surface;
    const long seed = s.readPixel(x, y);
    if (seed >= 0)
        s.floodFill(Layer::Keep, x, y, static_cast<ColourWord>(seed), stampFill);
}

// Mirrors the stamp picture left to right, and paints the regions at two
// opposite corners white, so that they stay out of the stamp.
void MainWindow::mirrorStamp() {
    if (!stampBox->hasPicture())
        return;
    CanvasSurface &s = stampBox->surface;
    const int W = s.size().width();
    const int H = s.size().height();
    s.paintPictureStretched(Layer::Keep, stampBox->picture().mirrored(true, false),
                            QRectF(0, 0, W, H));
    stampFill = white;
    for (const QPoint corner : {QPoint(1, 1), QPoint(W - 2, H - 2)}) {
        const long seed = s.readPixel(corner.x(), corner.y());
        if (seed >= 0)
            s.floodFill(Layer::Keep, corner.x(), corner.y(), static_cast<ColourWord>(seed),
                        stampFill);
    }
    stampBox->update();
}

} // namespace garabix
