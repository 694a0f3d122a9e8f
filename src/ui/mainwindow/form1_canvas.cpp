// Form1's canvas: the pointer handlers, which route each gesture to the
// current tool, and undo and redo.

#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/form1.h"

namespace garabix {

bool Form1::canvasEnabled() const {
    return Picture1->isEnabled();
}

PointerContext Form1::pointerContext() {
    return {state, document, rng, *this};
}

void Form1::Picture1_MouseDown(Qt::MouseButton button, double x, double y) {
    if (canvasEnabled())
        pointerPress(pointerContext(), button == Qt::LeftButton, x, y);
}

void Form1::Picture1_MouseMove(Qt::MouseButtons buttons, double x, double y) {
    if (canvasEnabled())
        pointerMove(pointerContext(), buttons != Qt::NoButton, x, y);
}

void Form1::Picture1_MouseUp(Qt::MouseButton button, double x, double y) {
    if (canvasEnabled())
        pointerRelease(pointerContext(), button == Qt::LeftButton, x, y);
}

void Form1::Picture1_DblClick() {
    if (canvasEnabled())
        pointerDoubleClick(pointerContext());
}

// The text's preview and the stamp's outline show where they would land, so
// they go when the pointer leaves the canvas.
void Form1::Picture1_MouseLeave() {
    const bool outline = state.currentTool == Tool::Stamp && state.stampPreview;
    if (canvasEnabled() && (outline || state.currentTool == Tool::Text))
        document.canvas().repaint();
}

void Form1::UndoLastStep() {
    document.undo();
}

void Form1::Redo() {
    playCue("sonido3.wav");
    document.redo();
}

} // namespace garabix
