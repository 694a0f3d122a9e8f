#include "ui/mainwindow/stamppress.h"

#include "core/canvas/drawing.h"
#include "core/canvas/tools.h"
#include "core/files/folderlist.h"
#include "core/files/paths.h"
#include "core/files/pictures.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/placement.h"
#include "ui/widgets/animationplayer.h"
#include "ui/widgets/uiutil.h"

#include <algorithm>

namespace garabix {

StampPress::StampPress(Drawing &d, PictureBox *b, AnimationPlayer *p, const Placement &place,
                       const DesignScale &s, QObject *parent)
    : QObject(parent), document(d), box(b), player(p), placement(place), scale(s) {
    // However long its frames, a stamp lands within three seconds.
    player->setLongestPlay(3000);
    // The animation fills the player, which is as large as the stamp lands.
    player->setScaledContents(true);
    connect(player, &AnimationPlayer::playEnded, this, [this] { played(); });
}

void StampPress::loadFirst(const QString &appPath) {
    FolderList categories;
    if (!categories.setPath(resolvePath(appPath, QStringLiteral("/dibujos/"))))
        throw StepFailed{"there is no dibujos folder"};
    FileList first;
    if (!first.setPath(categories.entryPath(0)))
        throw StepFailed{"dibujos has no category"};
    stamps.choose(first.entryPath(0));
    const QImage shown = loadPicture(stamps.animation());
    if (shown.isNull())
        throw StepFailed{"the first stamp cannot be read"};
    stamps.setPicture(shown);
    box->showSurface(stamps.pictureSurface());
}

// A stamp chosen while the stamps are upside down comes upside down too.
void StampPress::choose(const QString &file, const QImage &shown) {
    stamps.choose(file);
    stamps.setPicture(shown);
    if (upsideDown)
        stamps.turnUpsideDown();
    box->showSurface(stamps.pictureSurface());
}

// The stamp as the canvas presses it: as large as it shows on the screen,
// times the size chosen.
QImage StampPress::canvasStamp() const {
    const QImage &shown = stamps.picture();
    const double f = sizeFactors[sizeChoice];
    if ((scale.canvasPerDesign == 1 && f == 1) || shown.isNull())
        return shown;
    return shown.scaled(std::max(1, static_cast<int>(scale.pixels(shown.width()) * f)),
                        std::max(1, static_cast<int>(scale.pixels(shown.height()) * f)),
                        Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// As large as the stamp picture shows on the window, times the size chosen.
QSizeF StampPress::sizeOnCanvas() const {
    return placement.stampSize() * scale.canvasPerDesign * sizeFactors[sizeChoice];
}

void StampPress::preview(double x, double y) {
    document.canvas().repaint();
    stamps.setSize(sizeOnCanvas());
    const QPoint at = stamps.topLeft(x, y);
    document.canvas().paintPictureAnd(Layer::Preview, canvasStamp(), at.x(), at.y());
}

void StampPress::start(double x, double y) {
    stamps.setSize(sizeOnCanvas());
    stamps.start(x, y);
    box->show();
    document.canvas().repaint();
    // The player stands where the stamp lands. The canvas waits for the
    // animation's end; that end never comes inside the call that starts it.
    placement.placeStampPlayer(QPointF(x, y), scale.canvasPerDesign, sizeFactors[sizeChoice]);
    player->setFile(stamps.animation());
    player->show();
    player->raise();
}

void StampPress::played() {
    const QImage shown = canvasStamp();
    player->hide();
    const QPoint at = stamps.land();
    document.canvas().blitMasked(Layer::Keep, shown, 0, 0, shown.width(), shown.height(), at.x(),
                                 at.y(), white);
    document.canvas().repaint();
    document.snapshot();
}

void StampPress::mirror() {
    stamps.mirror();
    box->update();
}

void StampPress::turnUpsideDown() {
    upsideDown = !upsideDown;
    stamps.turnUpsideDown();
    box->update();
}

void StampPress::setSize(int size) {
    sizeChoice = std::clamp(size, 0, 2);
    const char *const marks[3] = {"\u00BD", "", "2"};
    box->setMark(QString::fromUtf8(marks[sizeChoice]));
}

} // namespace garabix
