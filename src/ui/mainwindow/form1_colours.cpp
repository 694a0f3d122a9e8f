// Form1's colour pictures: the palette strip and the colour chart.

#include "core/canvas/colourpictures.h"
#include "core/canvas/tools.h"
#include "ui/common/uiutil.h"
#include "ui/mainwindow/form1.h"
#include "ui/mainwindow/picturebox.h"

#include <QLabel>

namespace garabix {

void Form1::pickColour(ColourWord c) {
    playCue("sonido5.wav");
    state.colorRed = c % 256;
    state.colorGreen = (c / 256) % 256;
    state.colorBlue = static_cast<int16_t>((c / 65536) % 256);
    stampFill = currentColour(state);
    setLabelColour(Picture3, stampFill);
}

void Form1::picPalette_MouseDown(Qt::MouseButton, double x, double) {
    pickColour(colourpictures::paletteColour(colourpictures::paletteSwatchAt(x)));
}

void Form1::Picture5_MouseDown(Qt::MouseButton, double x, double y) {
    // The panel below and beside the chart shows white, and picks it.
    const long shown = Picture5->surface.readPixel(x, y);
    pickColour(shown < 0 ? white : static_cast<ColourWord>(shown));
}

} // namespace garabix
