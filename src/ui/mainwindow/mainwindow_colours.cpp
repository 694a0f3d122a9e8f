// MainWindow's colour pictures: the palette strip and the colour chart.

#include "core/canvas/colourpictures.h"
#include "core/canvas/tools.h"
#include "ui/common/uiutil.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"

#include <QLabel>

namespace garabix {

void MainWindow::pickColour(ColourWord c) {
    playCue("sonido5.wav");
    state.colorRed = c % 256;
    state.colorGreen = (c / 256) % 256;
    state.colorBlue = static_cast<int16_t>((c / 65536) % 256);
    stamps.setFill(currentColour(state));
    setLabelColour(colourWell, stamps.fill());
}

void MainWindow::palettePressed(Qt::MouseButton, double x, double y) {
    if (controlsScale() > 1) {
        const int i = paletteGrid.at(QPointF(x, y));
        if (i >= 0)
            pickColour(paletteGrid.colours[size_t(i)]);
        return;
    }
    pickColour(colourpictures::paletteColour(colourpictures::paletteSwatchAt(x)));
}

void MainWindow::colourChartPressed(Qt::MouseButton, double x, double y) {
    if (controlsScale() > 1) {
        const int i = chartGrid.at(QPointF(x, y));
        if (i >= 0)
            pickColour(chartGrid.colours[size_t(i)]);
        return;
    }
    // The panel below and beside the chart shows white, and picks it.
    const long shown = colourChart->surface.readPixel(x, y);
    pickColour(shown < 0 ? white : static_cast<ColourWord>(shown));
}

} // namespace garabix
