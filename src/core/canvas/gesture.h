#pragma once
// The gesture on the canvas, between the window's pointer events and the
// tools: with click-to-draw a click holds the button for the stroke or shape
// it starts and the next click lets go; a polyline ends with a click on its
// last point, or on its first, which closes it. The keyboard's and the
// switch's pointer lives here too: the arrows move it, in steps that grow
// while a key is held.

#include "core/canvas/pointer.h"

#include <QPointF>
#include <QSize>

namespace garabix {

class ClickGesture {
public:
    // `clickToDraw` for this press: the setting, or a key or the switch
    // clicking; `nearby` how close a click comes to a polyline's point to
    // end the polyline there, in canvas pixels.
    PointerAsk press(PointerContext ctx, bool clickToDraw, double nearby, bool left, double x,
                     double y);
    PointerAsk move(PointerContext ctx, bool anyButton, double x, double y);
    void release(PointerContext ctx, bool left, double x, double y);
    void doubleClick(PointerContext ctx);
    // A stroke a click started ends where the pointer last was (a tool-bar
    // press meanwhile).
    void endHeld(PointerContext ctx);

    // Whether a click holds the button now.
    bool held() const { return holding; }
    // The orange frame: a stroke or shape that a click started, or with
    // click-to-draw a polyline with points still to come.
    bool drawingSign(const DrawingState &s, bool clickToDraw) const;

private:
    bool holding = false;        // a click started a stroke the next click ends
    bool heldLeft = true;        // with the left button
    bool swallowRelease = false; // the release of a press that started or ended one
    bool closePolyline = false;  // the release goes to the first point and ends
    QPointF at;                  // where the pointer last was
    QPointF polyFirst;           // the polyline's first point
    int polyPoints = 0;          // and how many it has
};

// The keyboard's pointer on the canvas, always inside it.
class KeyboardPointer {
public:
    QPointF at() const { return where; }
    // Moves to `to`, kept inside a canvas of `size`; answers where it is.
    QPointF moveTo(QPointF to, QSize size);
    // An arrow's step: `unit` canvas pixels to a design pixel, 4 of them and
    // one more for each repeat of a held key up to 24, or one canvas pixel
    // with `fine` (Shift).
    QPointF step(QPoint arrow, bool autoRepeat, bool fine, double unit, QSize size);

private:
    QPointF where;
    int repeats = 0; // how long an arrow has been held
};

} // namespace garabix
