// MainWindow's canvas: the pointer handlers, which route each gesture to the
// current tool, and undo and redo.

#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"

#include <cmath>
#include <utility>

namespace garabix {

bool MainWindow::canvasEnabled() const {
    return !stamps.playing();
}

PointerContext MainWindow::pointerContext() {
    return {state, document, rng, *this};
}

namespace {

// The tools a drag draws with; with click-to-draw a click starts them and
// the next click ends them.
bool drawnByDragging(Tool tool) {
    switch (tool) {
    case Tool::Pencil:
    case Tool::Rectangle:
    case Tool::Circle:
    case Tool::Ellipse:
    case Tool::DiagonalSpray:
    case Tool::DiscSpray:
        return true;
    default:
        return false;
    }
}

} // namespace

bool MainWindow::clickToDraw() const {
    return keyClicking || settings.clickToDraw.value_or(false);
}

// With click-to-draw, a press either starts a stroke the pointer then draws
// as if the button were held, or ends the one it started; a polyline ends
// with a click on its last point, or on its first, which closes it. The
// release of such a press does nothing more.
void MainWindow::canvasPressed(Qt::MouseButton button, double x, double y) {
    pressCanvas(button, x, y);
    showDrawingSign();
}

// The orange frame shows while click-to-draw draws: a stroke or shape that
// a click started, or a polyline with points still to come.
void MainWindow::showDrawingSign() {
    canvasView->setDrawingSign(
        clicked.held || (clickToDraw() && state.currentTool == Tool::Polyline && state.polyActive));
}

void MainWindow::pressCanvas(Qt::MouseButton button, double x, double y) {
    if (!canvasEnabled())
        return;
    const bool left = button == Qt::LeftButton;
    if (clickToDraw()) {
        if (clicked.held) {
            endClickedStroke(x, y);
            clicked.swallowRelease = true;
            return;
        }
        if (drawnByDragging(state.currentTool)) {
            pointerPress(pointerContext(), left, x, y);
            clicked.held = true;
            clicked.left = left;
            clicked.swallowRelease = true;
            return;
        }
        if (state.currentTool == Tool::Polyline && state.polyActive) {
            const double nearby = canvasPixels(6);
            const auto near = [&](QPointF p) { return std::hypot(p.x() - x, p.y() - y) <= nearby; };
            if (near(QPointF(state.polyX, state.polyY))) {
                pointerDoubleClick(pointerContext());
                clicked.swallowRelease = true;
                return;
            }
            if (clicked.polyPoints > 2 && near(clicked.polyFirst)) {
                clicked.closePolyline = true; // the release goes to the first point, then ends
                x = clicked.polyFirst.x();
                y = clicked.polyFirst.y();
            }
        }
    }
    if (state.currentTool == Tool::Polyline && !state.polyActive) {
        clicked.polyFirst = QPointF(x, y);
        clicked.polyPoints = 0;
    }
    pointerPress(pointerContext(), left, x, y);
}

void MainWindow::endClickedStroke(double x, double y) {
    clicked.held = false;
    pointerRelease(pointerContext(), clicked.left, x, y);
    showDrawingSign();
}

void MainWindow::canvasMoved(Qt::MouseButtons buttons, double x, double y) {
    clicked.at = QPointF(x, y);
    if (canvasEnabled())
        pointerMove(pointerContext(), clicked.held || buttons != Qt::NoButton, x, y);
}

void MainWindow::canvasReleased(Qt::MouseButton button, double x, double y) {
    if (!canvasEnabled())
        return;
    if (std::exchange(clicked.swallowRelease, false))
        return;
    if (clicked.closePolyline) {
        x = clicked.polyFirst.x();
        y = clicked.polyFirst.y();
    }
    pointerRelease(pointerContext(), button == Qt::LeftButton, x, y);
    if (state.currentTool == Tool::Polyline)
        ++clicked.polyPoints;
    if (std::exchange(clicked.closePolyline, false))
        pointerDoubleClick(pointerContext());
    showDrawingSign();
}

void MainWindow::canvasDoubleClicked() {
    if (canvasEnabled())
        pointerDoubleClick(pointerContext());
    showDrawingSign();
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
