// MainWindow's canvas: the pointer handlers, which route each gesture to the
// current tool, and undo and redo.

#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"

namespace garabix {

bool MainWindow::canvasEnabled() const {
    return !stamps.playing();
}

PointerContext MainWindow::pointerContext() {
    return {state, document, rng, *this};
}

void MainWindow::canvasPressed(Qt::MouseButton button, double x, double y) {
    if (canvasEnabled())
        pointerPress(pointerContext(), button == Qt::LeftButton, x, y);
}

void MainWindow::canvasMoved(Qt::MouseButtons buttons, double x, double y) {
    if (canvasEnabled())
        pointerMove(pointerContext(), buttons != Qt::NoButton, x, y);
}

void MainWindow::canvasReleased(Qt::MouseButton button, double x, double y) {
    if (canvasEnabled())
        pointerRelease(pointerContext(), button == Qt::LeftButton, x, y);
}

void MainWindow::canvasDoubleClicked() {
    if (canvasEnabled())
        pointerDoubleClick(pointerContext());
}

// The text's preview and the stamp's outline show where they would land, so
// they go when the pointer leaves the canvas.
void MainWindow::canvasLeft() {
    const bool outline = state.currentTool == Tool::Stamp && !stamps.playing();
    if (canvasEnabled() && (outline || state.currentTool == Tool::Text))
        document.canvas().repaint();
}

void MainWindow::undoLastStep() {
    document.undo();
}

void MainWindow::redo() {
    playCue("sonido3.wav");
    document.redo();
}

} // namespace garabix
