#pragma once
// Where the main window's controls go. The layout (layout.h) works in twips,
// 1/1440 inch of the window's client area, as the window was designed; this
// turns its rectangles into the pixels of the window's screen, for the
// window's present size and the controls' size. Nothing else in the window
// counts in twips.

#include "core/canvas/colourpictures.h"
#include "ui/mainwindow/controls.h"
#include "ui/mainwindow/layout.h"

#include <QPointF>

class QWidget;

namespace garabix {

class Placement {
public:
    Placement(QWidget *window, WindowControls controls);

    // Reads the screen's twips per pixel (15 at 96 dpi).
    void readScreen();
    // The controls' size, 1 the usual (controls-size).
    void setControlsScale(double scale) { controlsScale = scale; }

    // Every control for the window's present size, the tool bar closed up
    // over the buttons not shown.
    void place(const layout::ShownButtons &shown);
    // Start-up: the text panel's parts at the controls' size.
    void arrangeTextPanel();
    // In the window's bottom right corner; with the larger controls, in the
    // canvas's bottom right corner, over the drawing only.
    void placeTextPanel();
    // The canvas fills its frame.
    void placeCanvas();
    // The stamp picture keeps the bottom of the left column.
    void placeStampOnBottomEdge();
    // The stamp picture's size, measured in whole twips as it is placed, in
    // the window's pixels.
    QSizeF stampSize() const;
    // The stamp's player over the canvas point where the stamp lands, as
    // large as the stamp picture `times` the size chosen; `canvasScale`
    // canvas pixels to a pixel.
    void placeStampPlayer(QPointF canvasPoint, double canvasScale, double times = 1) const;

    // The canvas frame, the pen row and the text lists.
    const layout::MainLayout &frame() const { return mainLayout; }
    // With the larger controls, the palette and the chart as grids of swatches.
    const colourpictures::SwatchGrid &paletteGrid() const { return palette; }
    const colourpictures::SwatchGrid &chartGrid() const { return chart; }

private:
    double widthTwips() const;
    double heightTwips() const;
    void put(QWidget *w, const QRectF &twips) const;
    QRectF twipsOf(const QWidget *w) const;
    void showSwatchGrids(int paletteColumns, int chartColumns, int chartPitch);

    QWidget *window;
    WindowControls controls;
    double controlsScale = 1;
    int twipsPerPixel = 15;
    layout::MainLayout mainLayout;
    colourpictures::SwatchGrid palette;
    colourpictures::SwatchGrid chart;
};

} // namespace garabix
