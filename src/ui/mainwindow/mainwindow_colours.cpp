// MainWindow's colour pictures: the palette strip and the colour chart.

#include "core/canvas/colourpictures.h"
#include "core/canvas/tools.h"
#include "ui/mainwindow/canvasinput.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/placement.h"
#include "ui/mainwindow/stamppress.h"
#include "ui/widgets/uiutil.h"

#include <QLabel>

namespace garabix {

void MainWindow::pickColour(ColourWord c) {
    playCue("sonido5.wav");
    input->state().colorRed = c % 256;
    input->state().colorGreen = (c / 256) % 256;
    input->state().colorBlue = static_cast<int16_t>((c / 65536) % 256);
    stampPress->setFill(currentColour(input->state()));
    setLabelColour(controls.colourWell, stampPress->fill());
}

// With the larger controls, the palette and the chart are grids of swatches.
bool MainWindow::pickFromGrid(const colourpictures::SwatchGrid &grid, double x, double y) {
    if (controlsScale() <= 1)
        return false;
    const int i = grid.at(QPointF(x, y));
    if (i >= 0)
        pickColour(grid.colours[size_t(i)]);
    return true;
}

void MainWindow::palettePressed(Qt::MouseButton, double x, double y) {
    if (pickFromGrid(placement->paletteGrid(), x, y))
        return;
    pickColour(colourpictures::paletteColour(colourpictures::paletteSwatchAt(x)));
}

void MainWindow::colourChartPressed(Qt::MouseButton, double x, double y) {
    if (pickFromGrid(placement->chartGrid(), x, y))
        return;
    // The panel below and beside the chart shows white, and picks it.
    const long shown = controls.chart->surface.readPixel(x, y);
    pickColour(shown < 0 ? white : static_cast<ColourWord>(shown));
}

} // namespace garabix
