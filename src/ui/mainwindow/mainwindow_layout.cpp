// MainWindow's layout: where each control goes, in twips of the window's client
// area, for the window's present size, and the canvas's size.

#include "core/canvas/colourpictures.h"
#include "core/files/scenes.h"
#include "core/text/numeric.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/widgets/animationplayer.h"
#include "ui/widgets/uiutil.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace garabix {

int16_t MainWindow::screenTwipsPerPixel() const {
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const int16_t tpp = toInt16(1440.0 / dpi).value_or(15);
    return tpp > 0 ? tpp : 15;
}

double MainWindow::screenWidthTwips() const {
    return double(width()) * twipsPerPixel;
}
double MainWindow::screenHeightTwips() const {
    return double(height()) * twipsPerPixel;
}

void MainWindow::placeTwips(QWidget *w, const QRectF &t) const {
    w->setGeometry(twipsToPixels(t, twipsPerPixel > 0 ? twipsPerPixel : 15));
}

QRectF MainWindow::twipsRect(const QWidget *w) const {
    const double tpp = twipsPerPixel;
    return {w->x() * tpp, w->y() * tpp, w->width() * tpp, w->height() * tpp};
}

void MainWindow::placeStampOnBottomEdge() {
    const QRectF r = twipsRect(stampBox);
    placeTwips(stampBox, QRectF(r.left(), screenHeightTwips() - r.height(), r.width(), r.height()));
}

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
    growCanvas(canvasView->canvasSize());
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
    state.sceneCount = countScenes(appPath);
    placeControls();
    restoreCanvasFrame();
    const double f = controlsScale();
    const auto scaled = [f](const QRectF &r) { return QRectF(r.topLeft() * f, r.size() * f); };
    placeTwips(textPanel, scaled(layout::textPanelDesign));
    placeTwips(textEdit, scaled(layout::textEditInPanel));
    placeTwips(closeTextButton, scaled(layout::closeButtonInPanel));
    if (f > 1) {
        for (QWidget *w :
             {static_cast<QWidget *>(closeTextButton), static_cast<QWidget *>(textSizeBox),
              static_cast<QWidget *>(fontBox), static_cast<QWidget *>(styleButtons[0]),
              static_cast<QWidget *>(styleButtons[1])}) {
            QFont font = w->font();
            font.setPointSizeF(font.pointSizeF() * f);
            w->setFont(font);
        }
    }
    stamps.setFill(white);
    textPanel->hide();
    state.sprayRadius = static_cast<int16_t>(canvasPixels(60));
    stampBox->raise();
    stampPlayer->raise();
}

// Places every control for the window's present size. The canvas only ever
// grows: a window made smaller hides part of the drawing, never loses it.
void MainWindow::placeControls() {
    const double f = controlsScale();
    layout::ShownButtons shown{};
    for (ToolbarButton b : allToolbarButtons())
        shown[size_t(buttonIndex(b))] = buttonAllowed(b);
    std::array<QRectF, toolbarButtonCount> bar;
    QRectF well, mine, chart;
    if (f > 1) {
        const layout::LargeLayout l =
            layout::arrangeLarge(screenWidthTwips(), screenHeightTwips(), f,
                                 twipsRect(stampBox).height(), twipsPerPixel, shown);
        frame = l.rest;
        bar = l.toolbar;
        well = l.colourWell;
        mine = l.myDrawings;
        chart = l.colourPanel;
        showSwatchGrids(l.paletteColumns, l.chartColumns, l.chartPitch);
        placeTwips(paletteStrip, l.palette);
    } else {
        frame = layout::arrangeMainWindow(screenWidthTwips(), screenHeightTwips());
        bar = layout::arrangeToolbar(shown);
        well = layout::colourWellRect;
        mine = layout::myDrawingsButtonRect(screenHeightTwips(), twipsRect(stampBox).height());
        chart = layout::colourPanelRect(frame, screenWidthTwips());
        placeTwips(paletteStrip, layout::paletteStrip);
    }
    // A window narrower than the strip (1024 pixels) shows what fits.
    const QSize strip = paletteStrip->surface.size();
    paletteStrip->resize(std::min(strip.width(), width() - paletteStrip->x()), strip.height());
    placeTwips(canvasView, frame.frame);
    const int icon = static_cast<int>(std::lround(34 * f));
    for (ToolbarButton b : allToolbarButtons()) {
        placeTwips(toolbarButtons[buttonIndex(b)], bar[size_t(buttonIndex(b))]);
        toolbarButtons[buttonIndex(b)]->setIconSize(QSize(icon, icon));
    }
    for (int i = 0; i < 10; ++i) {
        placeTwips(penButtons[i], frame.penButtons[i]);
        const int side = penButtons[i]->height() - 8;
        penButtons[i]->setIconSize(QSize(side, side));
    }
    placeTwips(textSizeBox, frame.textSizeBox);
    placeTwips(fontBox, frame.fontBox);
    placeTwips(styleButtons[0], frame.styleButtons[0]);
    placeTwips(styleButtons[1], frame.styleButtons[1]);
    placeTwips(colourWell, well);
    placeTwips(myDrawingsButton, mine);
    const int side = std::min(myDrawingsButton->width(), myDrawingsButton->height()) - 12;
    myDrawingsButton->setIconSize(QSize(side, side));
    placeTwips(colourChart, chart);
    placeStampOnBottomEdge();
    if (textPanel->isVisible())
        placeTextPanel();
}

double MainWindow::controlsScale() const {
    return settings.controlsSize;
}

// The larger controls show the palette and the chart as grids of swatches,
// as many across as the layout has room for.
void MainWindow::showSwatchGrids(int paletteColumns, int chartColumns, int chartPitch) {
    const double f = controlsScale();
    if (paletteGrid.colours.empty() || paletteGrid.columns != paletteColumns) {
        const layout::SwatchSpacing s = layout::paletteSpacing(f);
        paletteGrid = {colourpictures::paletteColours(), paletteColumns, s.pitch, s.gap};
        paletteStrip->setPicture(paletteGrid.picture());
    }
    if (chartGrid.colours.empty() || chartGrid.columns != chartColumns ||
        chartGrid.pitch != chartPitch) {
        const layout::SwatchSpacing s = layout::chartSpacing(f);
        chartGrid = {colourpictures::chartColours(), chartColumns, chartPitch, s.gap};
        colourChart->setPicture(chartGrid.picture());
    }
}

// The canvas fills its frame, and once grown (full screen) keeps its size.
void MainWindow::restoreCanvasFrame() {
    placeTwips(canvasView, frame.frame);
    growCanvas(canvasView->canvasSize());
    canvasView->update();
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
// the pens, sprays, text, stamps and grid count canvasScale canvas pixels to
// a pixel of the design (1.35 at a scale of 1.35 or 2.7, 1 at 1 or 2).
void MainWindow::chooseCanvasBlock() {
    const double scale = devicePixelRatioF();
    const int block = std::max(1, static_cast<int>(std::floor(scale + 1e-6)));
    canvasScale = scale / block;
    canvasView->setBlock(block);
    state.gridSpacing =
        static_cast<int16_t>(std::clamp(canvasPixels(state.gridSpacing), 0L, 32767L));
}

long MainWindow::canvasPixels(double designPixels) const {
    return std::max(designPixels > 0 ? 1L : 0L, std::lround(designPixels * canvasScale));
}

void MainWindow::buildGrid() {
    const QSize size = document.size();
    const QSize outer = canvasView->canvasSize().expandedTo(size);
    buildGridLines(grid, state.gridSpacing, size.width(), size.height(), outer.width(),
                   outer.height());
    buildGridDots(grid, state.gridSpacing, size.width(), size.height());
}

} // namespace garabix
