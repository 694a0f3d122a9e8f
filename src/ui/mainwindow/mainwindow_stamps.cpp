// MainWindow's stamps: the outline that follows the pointer, the animation played
// where the child presses, the picture pressed onto the canvas when it ends,
// colouring the stamp picture, mirroring it, and the gallery's pick.

#include "core/text/numeric.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/widgets/animationplayer.h"

#include <cmath>

namespace garabix {

namespace {
long long halfTwips(double twips) {
    return roundToInt(twips) / 2;
}
} // namespace

const QImage &MainWindow::stampPicture() const {
    return stamps.picture();
}

void MainWindow::stampChosen(const QString &file, const QImage &picture) {
    stamps.choose(file);
    stamps.setPicture(picture);
    stampBox->showSurface(stamps.pictureSurface());
    placeStampOnBottomEdge();
    show();
    raise();
    activateWindow();
}

// The stamp as the canvas presses it: as large as it shows on the screen.
QImage MainWindow::canvasStamp() const {
    const QImage &picture = stamps.picture();
    if (canvasScale == 1 || picture.isNull())
        return picture;
    return picture.scaled(static_cast<int>(canvasPixels(picture.width())),
                          static_cast<int>(canvasPixels(picture.height())), Qt::IgnoreAspectRatio,
                          Qt::FastTransformation);
}

// The stamp's size on the canvas: as large as the stamp picture shows on
// the window, measured in whole twips as the window places it.
QSizeF MainWindow::stampSizeOnCanvas() const {
    const QRectF r = twipsRect(stampBox);
    return QSizeF(double(halfTwips(r.width())), double(halfTwips(r.height()))) * 2 / twipsPerPixel *
           canvasScale;
}

void MainWindow::stampPreview(double x, double y) {
    document.canvas().repaint();
    stamps.setSize(stampSizeOnCanvas());
    const QPoint at = stamps.topLeft(x, y);
    document.canvas().paintPictureAnd(Layer::Preview, canvasStamp(), at.x(), at.y());
}

void MainWindow::stampStart(double x, double y) {
    stamps.setSize(stampSizeOnCanvas());
    stamps.start(x, y);
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
    stampPlayer->setFile(stamps.animation());
    stampPlayer->show();
    stampPlayer->raise();
}

void MainWindow::stampPlayed() {
    const QImage picture = canvasStamp();
    stampPlayer->hide();
    const QPoint at = stamps.land();
    document.canvas().blitMasked(Layer::Keep, picture, 0, 0, picture.width(), picture.height(),
                                 at.x(), at.y(), white);
    document.canvas().repaint();
    document.snapshot();
}

void MainWindow::stampBoxPressed(Qt::MouseButton button, double x, double y) {
    if (button != Qt::LeftButton)
        return;
    state.currentTool = Tool::Stamp;
    showChoices();
    stamps.colourRegion(x, y);
}

void MainWindow::mirrorStamp() {
    stamps.mirror();
    stampBox->update();
}

} // namespace garabix
