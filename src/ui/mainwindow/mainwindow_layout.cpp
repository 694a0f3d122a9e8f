// MainWindow's layout: the controls placed for the window's present size
// (placement.h), the canvas's size and block, and the grid.

#include "core/canvas/tools.h"
#include "core/files/scenes.h"
#include "ui/mainwindow/canvasinput.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/placement.h"
#include "ui/mainwindow/stamppress.h"
#include "ui/mainwindow/textpanel.h"
#include "ui/widgets/animationplayer.h"
#include "ui/widgets/uiutil.h"

#include <algorithm>
#include <cmath>

namespace garabix {

void MainWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // A window manager may still be maximizing the window: the layout waits
    // until the size has settled, but never long.
    if (!loaded && loadTimer.isActive() && shownAt.elapsed() < 300)
        loadTimer.start();
    // Full screen and back, or a window made smaller: the controls follow.
    if (!loaded)
        return;
    placeControls();
    growCanvas(controls.canvas->canvasSize());
}

void MainWindow::toggleFullScreen() {
    if (settings.fullScreen)
        return; // the settings keep the program full screen
    if (isFullScreen())
        showMaximized();
    else
        showFullScreen();
}

void MainWindow::arrangeWindow() {
    input->state().sceneCount = countScenes(appPath);
    placeControls();
    restoreCanvasFrame();
    placement->arrangeTextPanel();
    stampPress->setFill(white);
    controls.text->hide();
    input->state().sprayRadius = static_cast<int16_t>(scale.pixels(60));
    controls.stampBox->raise();
    controls.stampPlayer->raise();
}

// Places every control for the window's present size.
void MainWindow::placeControls() {
    layout::ShownButtons shown{};
    for (ToolbarButton b : allToolbarButtons())
        shown[size_t(buttonIndex(b))] = buttonAllowed(b);
    placement->setControlsScale(controlsScale());
    placement->place(shown);
}

double MainWindow::controlsScale() const {
    return settings.controlsSize;
}

// The canvas fills its frame, and once grown (full screen) keeps its size.
void MainWindow::restoreCanvasFrame() {
    placement->placeCanvas();
    growCanvas(controls.canvas->canvasSize());
    controls.canvas->update();
}

// The first layout gives the canvas its size. Later, a window larger than the
// canvas (full screen) grows the drawing with white around it, and undo
// starts again from it, since older pictures have the old size; a window
// made smaller again hides part of it but loses nothing.
void MainWindow::growCanvas(QSize size) {
    size = size.expandedTo(document.size());
    if (size == document.size())
        return;
    if (document.size() == QSize(1, 1))
        document.reset(size);
    else
        document.grow(size);
    buildGrid();
}

// Each canvas pixel covers a whole block of screen pixels: the screen's scale
// rounded down. What a child draws keeps the size it has on the screen, so
// the pens, sprays, text, stamps and grid count `scale` canvas pixels to
// a pixel of the design (1.35 at a scale of 1.35 or 2.7, 1 at 1 or 2).
void MainWindow::chooseCanvasBlock() {
    const double screen = devicePixelRatioF();
    const int block = std::max(1, static_cast<int>(std::floor(screen + 1e-6)));
    scale.canvasPerDesign = screen / block; // the stamp press and the canvas's input read it
    controls.canvas->setBlock(block);
    input->state().gridSpacing =
        static_cast<int16_t>(std::clamp(scale.pixels(input->state().gridSpacing), 0L, 32767L));
}

void MainWindow::buildGrid() {
    const QSize size = document.size();
    const QSize outer = controls.canvas->canvasSize().expandedTo(size);
    buildGridLines(grid, input->state().gridSpacing, size.width(), size.height(), outer.width(),
                   outer.height());
    buildGridDots(grid, input->state().gridSpacing, size.width(), size.height());
}

} // namespace garabix
