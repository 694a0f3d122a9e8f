#include "ui/mainwindow/placement.h"

#include "core/text/numeric.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/textpanel.h"
#include "ui/widgets/animationplayer.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace garabix {

namespace {
long long halfTwips(double twips) {
    return roundToInt(twips) / 2;
}
} // namespace

Placement::Placement(QWidget *w, WindowControls c) : window(w), controls(std::move(c)) {
    readScreen();
}

void Placement::readScreen() {
    const int dpi = window->logicalDpiX() > 0 ? window->logicalDpiX() : 96;
    const int16_t tpp = toInt16(1440.0 / dpi).value_or(15);
    twipsPerPixel = tpp > 0 ? tpp : 15;
}

double Placement::widthTwips() const {
    return double(window->width()) * twipsPerPixel;
}
double Placement::heightTwips() const {
    return double(window->height()) * twipsPerPixel;
}

void Placement::put(QWidget *w, const QRectF &twips) const {
    w->setGeometry(layout::twipsToPixels(twips, twipsPerPixel));
}

QRectF Placement::twipsOf(const QWidget *w) const {
    const double tpp = twipsPerPixel;
    return {w->x() * tpp, w->y() * tpp, w->width() * tpp, w->height() * tpp};
}

// The canvas only ever grows (the window's growCanvas): a window made
// smaller hides part of the drawing, never loses it.
void Placement::place(const layout::ShownButtons &shown) {
    const double f = controlsScale;
    const WindowControls &c = controls;
    std::array<QRectF, toolbarButtonCount> bar;
    QRectF well, mine, magic, pages, chartPlace;
    if (f > 1) {
        const layout::LargeLayout l = layout::arrangeLarge(
            widthTwips(), heightTwips(), f, twipsOf(c.stampBox).height(), twipsPerPixel, shown);
        mainLayout = l.rest;
        bar = l.toolbar;
        well = l.colourWell;
        mine = l.myDrawings;
        magic = l.magic;
        pages = l.pages;
        chartPlace = l.colourPanel;
        showSwatchGrids(l.paletteColumns, l.chartColumns, l.chartPitch);
        put(c.palette, l.palette);
    } else {
        mainLayout = layout::arrangeMainWindow(widthTwips(), heightTwips());
        bar = layout::arrangeToolbar(shown);
        well = layout::colourWellRect;
        mine = layout::myDrawingsButtonRect(heightTwips(), twipsOf(c.stampBox).height());
        magic = layout::magicButtonRect(mine);
        pages = layout::pagesButtonRect(magic);
        chartPlace = layout::colourPanelRect(mainLayout, widthTwips());
        put(c.palette, layout::paletteStrip);
    }
    // A window narrower than the strip (1024 pixels) shows what fits.
    const QSize strip = c.palette->surface.size();
    c.palette->resize(std::min(strip.width(), window->width() - c.palette->x()), strip.height());
    placeCanvas();
    const int icon = static_cast<int>(std::lround(34 * f));
    for (int i = 0; i < toolbarButtonCount; ++i) {
        put(c.toolbar[i], bar[size_t(i)]);
        c.toolbar[i]->setIconSize(QSize(icon, icon));
    }
    for (int i = 0; i < 10; ++i) {
        put(c.pens[i], mainLayout.penButtons[size_t(i)]);
        const int side = c.pens[i]->height() - 8;
        c.pens[i]->setIconSize(QSize(side, side));
    }
    put(c.text->sizeBox, mainLayout.textSizeBox);
    put(c.text->fontBox, mainLayout.fontBox);
    put(c.text->styleButtons[0], mainLayout.styleButtons[0]);
    put(c.text->styleButtons[1], mainLayout.styleButtons[1]);
    put(c.colourWell, well);
    put(c.myDrawings, mine);
    const int side = std::min(c.myDrawings->width(), c.myDrawings->height()) - 12;
    c.myDrawings->setIconSize(QSize(side, side));
    put(c.magic, magic);
    c.magic->setIconSize(QSize(icon, icon));
    put(c.pages, pages);
    c.pages->setIconSize(QSize(icon, icon));
    put(c.chart, chartPlace);
    placeStampOnBottomEdge();
    if (c.text->isOpen())
        placeTextPanel();
}

// The larger controls show the palette and the chart as grids of swatches,
// as many across as the layout has room for.
void Placement::showSwatchGrids(int paletteColumns, int chartColumns, int chartPitch) {
    const double f = controlsScale;
    if (palette.colours.empty() || palette.columns != paletteColumns) {
        const layout::SwatchSpacing s = layout::paletteSpacing(f);
        palette = {colourpictures::paletteColours(), paletteColumns, s.pitch, s.gap};
        controls.palette->setPicture(palette.picture());
    }
    if (chart.colours.empty() || chart.columns != chartColumns || chart.pitch != chartPitch) {
        const layout::SwatchSpacing s = layout::chartSpacing(f);
        chart = {colourpictures::chartColours(), chartColumns, chartPitch, s.gap};
        controls.chart->setPicture(chart.picture());
    }
}

void Placement::arrangeTextPanel() {
    const double f = controlsScale;
    const auto scaled = [f](const QRectF &r) { return QRectF(r.topLeft() * f, r.size() * f); };
    put(controls.text->panel, scaled(layout::textPanelDesign));
    put(controls.text->textBox, scaled(layout::textEditInPanel));
    put(controls.text->closeButton, scaled(layout::closeButtonInPanel));
    if (f > 1)
        controls.text->scaleFonts(f);
}

// With the larger controls, whose pens and lists run under the whole canvas,
// the panel lies over the drawing only, as large as the controls or as the
// canvas has room for.
void Placement::placeTextPanel() {
    const bool over = controlsScale > 1;
    const QRectF &canvas = mainLayout.frame;
    TextPanel &text = *controls.text;
    if (over) {
        const double f =
            std::max(1.0, std::min({controlsScale, canvas.width() / layout::textPanelDesign.width(),
                                    canvas.height() / layout::textPanelDesign.height()}));
        const auto scaled = [f](const QRectF &r) { return QRectF(r.topLeft() * f, r.size() * f); };
        put(text.panel, scaled(layout::textPanelDesign));
        put(text.textBox, scaled(layout::textEditInPanel));
        put(text.closeButton, scaled(layout::closeButtonInPanel));
    }
    const QRectF panel = twipsOf(text.panel);
    const double right = over ? canvas.right() : widthTwips();
    const double bottom = over ? canvas.bottom() : heightTwips();
    put(text.panel, QRectF(roundHalfEven(right - panel.width()),
                           roundHalfEven(std::max(bottom - panel.height(), canvas.top())),
                           panel.width(), panel.height()));
}

void Placement::placeCanvas() {
    put(controls.canvas, mainLayout.frame);
}

void Placement::placeStampOnBottomEdge() {
    const QRectF r = twipsOf(controls.stampBox);
    put(controls.stampBox, QRectF(r.left(), heightTwips() - r.height(), r.width(), r.height()));
}

QSizeF Placement::stampSize() const {
    const QRectF r = twipsOf(controls.stampBox);
    return QSizeF(double(halfTwips(r.width())), double(halfTwips(r.height()))) * 2 / twipsPerPixel;
}

void Placement::placeStampPlayer(QPointF at, double canvasScale, double times) const {
    const QRectF box = twipsOf(controls.stampBox);
    const QRectF r(box.topLeft(), box.size() * times);
    const QRectF c = twipsOf(controls.canvas);
    const double tpp = twipsPerPixel / canvasScale;
    const double top = tpp * at.y() + c.top() - halfTwips(r.height());
    const double left = tpp * at.x() + c.left() - halfTwips(r.width());
    put(controls.stampPlayer, QRectF(left, top, r.width(), r.height()));
}

} // namespace garabix
