#pragma once
// The canvas's input: the pointer's events, and the pointer that the arrows
// and the switch move, through the gesture (core/canvas/gesture.h) to the
// current tool. It owns what the child has chosen (tool, colour, pen, magic
// effect), the gesture between events, the sprays' scatter, the magic stroke
// under way and the keyboard's pointer; what the stamp asks goes to the
// stamp press. The window forwards its canvas's events here.

#include "core/canvas/drawingstate.h"
#include "core/canvas/gesture.h"
#include "core/canvas/magictool.h"
#include "core/canvas/random.h"
#include "core/canvas/tools.h"
#include "ui/access/access.h"

#include <Qt>
#include <functional>

namespace garabix {

class CanvasWidget;
class Drawing;
class StampPress;
class TextPanel;
struct Settings;

class CanvasInput {
public:
    // `scale`: canvas pixels to a pixel of the design.
    CanvasInput(Drawing &document, CanvasWidget *canvas, StampPress &stamp, const TextPanel &text,
                const Settings &settings, const DesignScale &scale);

    DrawingState &state() { return choices; }
    const DrawingState &state() const { return choices; }
    // Runs as a magic stroke or a whole-picture effect starts, for its cue.
    std::function<void(Magic)> magicStarts;

    // Nothing reaches the tools while a stamp plays.
    bool enabled() const;
    // `clickToDraw`: the setting's, or a key or the switch clicking.
    void press(Qt::MouseButton button, double x, double y, bool clickToDraw);
    void move(Qt::MouseButtons buttons, double x, double y);
    void release(Qt::MouseButton button, double x, double y);
    void doubleClick();
    // The text's preview and the stamp's outline show where they would land,
    // so they go when the pointer leaves the canvas.
    void leave();
    // A stroke a click started ends where the pointer last was (a tool-bar
    // press meanwhile).
    void endHeld();

    // The keyboard's pointer with keyboard-pointer, the switch's with
    // scanning: it starts in the canvas's middle.
    bool hasKeyPointer() const;
    void centreKeyPointer();
    QPointF keyPointer() const { return keys.at(); }
    // With a key pointer, the canvas as an area for the keyboard and the
    // switch: the arrows move the pointer, Space or Return clicks.
    void addAccessArea(AccessArea &canvas);

private:
    PointerContext context();
    void showAsk(const PointerAsk &ask);
    void showDrawingSign();
    bool key(QKeyEvent *event);
    void moveKeyPointer(QPointF to);
    void showKeyPointer();
    void click(QPointF at);

    Drawing &document;
    CanvasWidget *canvas;
    StampPress &stamp;
    const TextPanel &text;
    const Settings &settings;
    const DesignScale &scale;

    DrawingState choices; // tool, colour, pen and the shape under way
    Random rng;           // the sprays' scatter and the magic strokes' seeds
    MagicBrush magic;     // the magic stroke under way
    ClickGesture gesture; // click-to-draw: a click holds the button until the next
    KeyboardPointer keys; // the keyboard's pointer on the canvas
};

} // namespace garabix
