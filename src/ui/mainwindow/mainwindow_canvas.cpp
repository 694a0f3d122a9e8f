// MainWindow's canvas: the pointer's events go to the gesture, which routes
// them to the current tool; the stamp's asks come back to be shown. Undo and
// redo. The stamp picture.

#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/placement.h"
#include "ui/mainwindow/stamppress.h"
#include "ui/mainwindow/textpanel.h"

namespace garabix {

bool MainWindow::canvasEnabled() const {
    return !stampPress->playing();
}

PointerContext MainWindow::pointerContext() {
    return {state, document, rng, textPanel->tool(), canvasScale};
}

void MainWindow::showAsk(const PointerAsk &ask) {
    switch (ask.kind) {
    case PointerAsk::Nothing:
        break;
    case PointerAsk::StampPreview:
        stampPress->preview(ask.x, ask.y);
        break;
    case PointerAsk::StampStart:
        stampPress->start(ask.x, ask.y);
        break;
    }
}

void MainWindow::canvasPressed(Qt::MouseButton button, double x, double y) {
    pressCanvas(button, x, y, settings.clickToDraw);
}

void MainWindow::pressCanvas(Qt::MouseButton button, double x, double y, bool clickToDraw) {
    if (canvasEnabled())
        showAsk(gesture.press(pointerContext(), clickToDraw, canvasPixels(6),
                              button == Qt::LeftButton, x, y));
    showDrawingSign();
}

void MainWindow::showDrawingSign() {
    canvasView->setDrawingSign(gesture.drawingSign(state, settings.clickToDraw));
}

void MainWindow::canvasMoved(Qt::MouseButtons buttons, double x, double y) {
    if (canvasEnabled())
        showAsk(gesture.move(pointerContext(), buttons != Qt::NoButton, x, y));
}

void MainWindow::canvasReleased(Qt::MouseButton button, double x, double y) {
    if (!canvasEnabled())
        return;
    gesture.release(pointerContext(), button == Qt::LeftButton, x, y);
    showDrawingSign();
}

void MainWindow::canvasDoubleClicked() {
    if (canvasEnabled())
        gesture.doubleClick(pointerContext());
    showDrawingSign();
}

// The text's preview and the stamp's outline show where they would land, so
// they go when the pointer leaves the canvas.
void MainWindow::canvasLeft() {
    const bool outline = state.currentTool == Tool::Stamp && !stampPress->playing();
    if (canvasEnabled() && (outline || state.currentTool == Tool::Text))
        document.canvas().repaint();
}

void MainWindow::redo() {
    playCue("sonido3.wav");
    document.redo();
}

// The stamp picture: the gallery's pick shows in it, and a press on it
// colours the region under the press and chooses the stamp.
const QImage &MainWindow::stampPicture() const {
    return stampPress->picture();
}
const QString &MainWindow::stampFile() const {
    return stampPress->animation();
}

void MainWindow::stampChosen(const QString &file, const QImage &picture) {
    stampPress->choose(file, picture);
    placement->placeStampOnBottomEdge();
    show();
    raise();
    activateWindow();
}

void MainWindow::stampBoxPressed(Qt::MouseButton button, double x, double y) {
    if (button != Qt::LeftButton)
        return;
    state.currentTool = Tool::Stamp;
    showChoices();
    stampPress->colourRegion(x, y);
}

} // namespace garabix
