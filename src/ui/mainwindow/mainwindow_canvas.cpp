// MainWindow's canvas: its events go to the canvas's input (canvasinput.h).
// Redo. The stamp picture.

#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/placement.h"
#include "ui/mainwindow/stamppress.h"
#include "ui/widgets/uiutil.h"

namespace garabix {

void MainWindow::canvasPressed(Qt::MouseButton button, double x, double y) {
    input->press(button, x, y, settings.clickToDraw);
}
void MainWindow::canvasMoved(Qt::MouseButtons buttons, double x, double y) {
    input->move(buttons, x, y);
}
void MainWindow::canvasReleased(Qt::MouseButton button, double x, double y) {
    input->release(button, x, y);
}
void MainWindow::canvasDoubleClicked() {
    input->doubleClick();
}
void MainWindow::canvasLeft() {
    input->leave();
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
    bringToFront(this);
}

void MainWindow::stampBoxPressed(Qt::MouseButton button, double x, double y) {
    if (button != Qt::LeftButton)
        return;
    input->state().currentTool = Tool::Stamp;
    showChoices();
    stampPress->colourRegion(x, y);
}

void MainWindow::stampSizeChosen(int size) {
    stampPress->setSize(size);
}

int MainWindow::stampSize() const {
    return stampPress->size();
}

void MainWindow::stampTurned() {
    stampPress->turnUpsideDown();
}

bool MainWindow::stampUpsideDown() const {
    return stampPress->isUpsideDown();
}

} // namespace garabix
