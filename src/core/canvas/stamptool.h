#pragma once
// The stamp tool: the stamp picture, the animation a press plays, the colour
// a click on the picture paints, where the stamp goes for a pointer
// position, and whether a stamp is playing. While one plays the canvas takes no press, and
// when its animation ends the stamp lands where its outline was.

#include "core/canvas/canvassurface.h"
#include "core/canvas/colour.h"

#include <QPoint>
#include <QSizeF>
#include <QString>

namespace garabix {

class StampTool {
public:
    StampTool();

    // The stamp the gallery chose: the animation a press plays and the
    // picture the press leaves.
    void choose(const QString &animation) { file = animation; }
    void setPicture(const QImage &picture);
    bool hasPicture() const { return pictured; }
    const QImage &picture() const { return surface.persistentLayer(); }
    // The picture as a surface, for the stamp box to show it.
    CanvasSurface &pictureSurface() { return surface; }
    // A click on the picture at (x, y) paints its region in the fill colour.
    void colourRegion(double x, double y);
    // Mirrors the picture left to right and paints the regions at two
    // opposite corners white, so that they stay out of the stamp; the fill
    // colour becomes white.
    void mirror();
    // Turns the picture upside down, nothing else changed.
    void turnUpsideDown();
    const QString &animation() const { return file; }

    // What a click on the stamp picture paints.
    ColourWord fill() const { return fillColour; }
    void setFill(ColourWord colour) { fillColour = colour; }

    // The stamp's size on the canvas, in canvas pixels (fractional at a
    // scale such as 1.35), as the stamp picture shows on the window.
    void setSize(QSizeF size) { stampSize = size; }
    // The stamp's top-left canvas pixel for the pointer at (x, y): the one
    // rule for the outline that follows the pointer and for the landing.
    QPoint topLeft(double x, double y) const;

    // A press at (x, y) starts the animation; the canvas takes no press
    // until the stamp lands.
    void start(double x, double y);
    bool playing() const { return isPlaying; }
    // The animation ended: the top-left pixel the stamp lands on.
    QPoint land();

private:
    CanvasSurface surface;
    bool pictured = false;
    QString file;
    ColourWord fillColour = black;
    QSizeF stampSize;
    QPointF pressedAt;
    bool isPlaying = false;
};

} // namespace garabix
