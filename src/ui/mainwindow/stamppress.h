#pragma once
// The stamp: the stamp picture on the window's bottom edge and the stamp it
// shows, the outline that follows the pointer, the animation played where
// the child presses, and the picture pressed onto the canvas when it ends,
// in one undo step. The window creates and places the stamp picture and the
// player, as it does every control.

#include "core/canvas/stamptool.h"
#include "core/canvas/tools.h"

#include <QObject>
#include <QPointF>

namespace garabix {

class AnimationPlayer;
class Drawing;
class PictureBox;
class Placement;

class StampPress : public QObject {
public:
    // `scale`: canvas pixels to a pixel of the design, so that a stamp keeps
    // its size on the screen.
    StampPress(Drawing &document, PictureBox *box, AnimationPlayer *player,
               const Placement &placement, const DesignScale &scale, QObject *parent);

    // Start-up: the first stamp of the first category of `dibujos`, until
    // the gallery picks another. Throws StepFailed when there is none.
    void loadFirst(const QString &appPath);
    // The gallery's pick.
    void choose(const QString &file, const QImage &picture);

    // The outline under the pointer; the stamp's animation where it lands;
    // at the animation's end, the picture pressed onto the canvas.
    void preview(double x, double y);
    void start(double x, double y);
    void played();
    bool playing() const { return stamps.playing(); }

    // A press on the stamp picture colours the region under it.
    void colourRegion(double x, double y) { stamps.colourRegion(x, y); }
    void mirror();
    // Turns the stamp picture upside down, and every stamp chosen after it,
    // until it is turned again.
    void turnUpsideDown();
    bool isUpsideDown() const { return upsideDown; }
    // The stamp's size on the canvas: 0 half, 1 as drawn, 2 twice; the stamp
    // picture marks the half and the twice.
    void setSize(int size);
    int size() const { return sizeChoice; }
    static constexpr double sizeFactors[3] = {0.5, 1, 2};
    void setFill(ColourWord colour) { stamps.setFill(colour); }
    ColourWord fill() const { return stamps.fill(); }

    const QImage &picture() const { return stamps.picture(); }
    const QString &animation() const { return stamps.animation(); }

private:
    QImage canvasStamp() const;
    QSizeF sizeOnCanvas() const;

    Drawing &document;
    PictureBox *box;
    AnimationPlayer *player;
    const Placement &placement;
    const DesignScale &scale;
    StampTool stamps;
    int sizeChoice = 1;
    bool upsideDown = false;
};

} // namespace garabix
