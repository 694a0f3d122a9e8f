// MainWindow without the mouse: its areas for the keyboard and the switch, in
// the order Tab visits them. The pointer the arrows move over the canvas is
// the canvas's input's (canvasinput.h).

#include "core/canvas/colourpictures.h"
#include "ui/mainwindow/canvasinput.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/placement.h"
#include "ui/mainwindow/textpanel.h"
#include "ui/widgets/uiutil.h"

#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>

namespace garabix {

// The application's keyboard and switch where the program made them; a
// window made on its own (as the tests make one) makes its own from its
// settings.
void MainWindow::startAccess() {
    accessKeys = Access::application();
    if (!accessKeys)
        accessKeys = new Access(Access::optionsOf(settings), this);
    if (input->hasKeyPointer())
        input->centreKeyPointer();
}

std::vector<AccessArea> MainWindow::accessAreas() {
    using B = ToolbarButton;
    std::vector<AccessArea> areas;
    AccessArea tools, pens, palette, chart, stamp, canvas, pictures, textBox, textArea;
    for (ToolbarButton b : allToolbarButtons()) {
        QPushButton *button = controls.toolbar[buttonIndex(b)];
        if (b == B::PreviousDrawing || b == B::NextDrawing)
            continue;
        tools.targets.push_back(buttonTarget(button));
        // Tab into the tool bar frames the chosen tool.
        if (!tools.startAt && b != B::FreeLines && b != B::GridSnapLines && isMarkedChosen(button))
            tools.startAt = button;
    }
    tools.targets.push_back(buttonTarget(controls.magic));
    if (!tools.startAt && isMarkedChosen(controls.magic))
        tools.startAt = controls.magic;
    tools.targets.push_back(buttonTarget(controls.pages));
    for (QPushButton *b : std::as_const(controls.pens))
        pens.targets.push_back(buttonTarget(b));
    // A swatch of the palette or the chart: pressed at its centre, and told
    // by its number.
    const auto swatches = [this](AccessArea &area, PictureBox *box, int count,
                                 const std::function<QRect(int)> &cellOf,
                                 void (MainWindow::*pressed)(Qt::MouseButton, double, double)) {
        for (int i = 0; i < count; ++i) {
            const QRect r = cellOf(i);
            area.targets.push_back({box, r,
                                    [this, r, pressed] {
                                        (this->*pressed)(Qt::LeftButton, r.center().x(),
                                                         r.center().y());
                                    },
                                    text(config::Text::SwatchName).arg(i + 1)});
        }
    };
    const bool large = controlsScale() > 1;
    constexpr int columns = colourpictures::chartColumns;
    swatches(
        palette, controls.palette, colourpictures::paletteSwatches,
        [&](int i) {
            return large ? placement->paletteGrid().cell(i) : colourpictures::paletteSwatch(i);
        },
        &MainWindow::palettePressed);
    swatches(
        chart, controls.chart, colourpictures::chartRows * columns,
        [&](int i) {
            return large ? placement->chartGrid().cell(i)
                         : colourpictures::chartCell(i / columns, i % columns);
        },
        &MainWindow::colourChartPressed);
    stamp.targets.push_back({controls.stampBox,
                             {},
                             [this] {
                                 const QPointF c = QRectF(controls.stampBox->rect()).center();
                                 stampBoxPressed(Qt::LeftButton, c.x(), c.y());
                             },
                             {}});
    input->addAccessArea(canvas);
    for (B b : {B::PreviousDrawing, B::NextDrawing})
        pictures.targets.push_back(buttonTarget(controls.toolbar[buttonIndex(b)]));
    pictures.targets.push_back(buttonTarget(controls.myDrawings));
    controls.text->addAccessAreas(textBox, textArea);
    for (AccessArea *a :
         {&tools, &pens, &palette, &chart, &stamp, &canvas, &pictures, &textBox, &textArea})
        areas.push_back(std::move(*a));
    return areas;
}

} // namespace garabix
