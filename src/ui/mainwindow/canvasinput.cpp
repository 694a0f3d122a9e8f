#include "ui/mainwindow/canvasinput.h"

#include "core/canvas/drawing.h"
#include "core/canvas/tools.h"
#include "core/files/settings.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/stamppress.h"
#include "ui/mainwindow/textpanel.h"

#include <QKeyEvent>

namespace garabix {

CanvasInput::CanvasInput(Drawing &d, CanvasWidget *c, StampPress &s, const TextPanel &t,
                         const Settings &set, const DesignScale &unit)
    : document(d), canvas(c), stamp(s), text(t), settings(set), scale(unit) {}

bool CanvasInput::enabled() const {
    return !stamp.playing();
}

PointerContext CanvasInput::context() {
    return {choices, document, rng, text.tool(), scale.canvasPerDesign, &magic};
}

void CanvasInput::showAsk(const PointerAsk &ask) {
    switch (ask.kind) {
    case PointerAsk::Nothing:
        break;
    case PointerAsk::StampPreview:
        stamp.preview(ask.x, ask.y);
        break;
    case PointerAsk::StampStart:
        stamp.start(ask.x, ask.y);
        break;
    }
}

void CanvasInput::press(Qt::MouseButton button, double x, double y, bool clickToDraw) {
    const bool magicStarting = enabled() && button == Qt::LeftButton &&
                               choices.currentTool == Tool::Magic && !gesture.held();
    if (magicStarting && magicStarts)
        magicStarts(choices.magic);
    if (enabled())
        showAsk(
            gesture.press(context(), clickToDraw, scale.pixels(6), button == Qt::LeftButton, x, y));
    showDrawingSign();
}

void CanvasInput::showDrawingSign() {
    canvas->setDrawingSign(gesture.drawingSign(choices, settings.clickToDraw));
}

void CanvasInput::move(Qt::MouseButtons buttons, double x, double y) {
    if (enabled())
        showAsk(gesture.move(context(), buttons != Qt::NoButton, x, y));
}

void CanvasInput::release(Qt::MouseButton button, double x, double y) {
    if (!enabled())
        return;
    gesture.release(context(), button == Qt::LeftButton, x, y);
    showDrawingSign();
}

void CanvasInput::doubleClick() {
    if (enabled())
        gesture.doubleClick(context());
    showDrawingSign();
}

void CanvasInput::leave() {
    const bool outline = choices.currentTool == Tool::Stamp && !stamp.playing();
    if (enabled() && (outline || choices.currentTool == Tool::Text))
        document.canvas().repaint();
}

void CanvasInput::endHeld() {
    if (!gesture.held())
        return;
    gesture.endHeld(context());
    showDrawingSign();
}

bool CanvasInput::hasKeyPointer() const {
    return settings.keyboardPointer || settings.switchScanning;
}

void CanvasInput::centreKeyPointer() {
    const QSize shown = canvas->canvasSize();
    moveKeyPointer(QPointF(shown.width() / 2, shown.height() / 2));
}

void CanvasInput::addAccessArea(AccessArea &area) {
    if (!hasKeyPointer())
        return;
    area.targets.push_back({canvas, {}, {}, {}});
    area.keys = [this](QKeyEvent *e) { return key(e); };
    area.clickAt = [this](QPointF at) {
        const double unit = canvas->block() / canvas->devicePixelRatioF();
        moveKeyPointer(at / unit);
        click(keys.at());
    };
    area.strokeUnderWay = [this] { return gesture.drawingSign(choices, true); };
}

// On the canvas the arrows move the pointer, a step that grows while the key
// is held (Shift: one pixel), and Space or Return clicks where it is.
bool CanvasInput::key(QKeyEvent *event) {
    if (!settings.keyboardPointer)
        return false;
    if (isPressKey(event->key())) {
        click(keys.at());
        return true;
    }
    const QPoint arrow = arrowDirection(event->key());
    if (arrow.isNull())
        return false;
    keys.step(arrow, event->isAutoRepeat(), event->modifiers() & Qt::ShiftModifier,
              scale.canvasPerDesign, canvas->canvasSize());
    showKeyPointer();
    return true;
}

void CanvasInput::moveKeyPointer(QPointF to) {
    keys.moveTo(to, canvas->canvasSize());
    showKeyPointer();
}

void CanvasInput::showKeyPointer() {
    canvas->setKeyPointer(keys.at());
    move(Qt::NoButton, keys.at().x(), keys.at().y());
}

// A click of the keyboard or the switch: a stroke or a shape starts, and the
// next click ends it, whatever click-to-draw says.
void CanvasInput::click(QPointF at) {
    press(Qt::LeftButton, at.x(), at.y(), true);
    release(Qt::LeftButton, at.x(), at.y());
}

} // namespace garabix
