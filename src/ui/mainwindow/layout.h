#pragma once
// Window layout arithmetic of the main window, in twips (1/1440 inch) of the
// window's client area. The design rectangles are those of the window as it
// was drawn; the start-up layout moves the canvas frame, the pen-size row and
// the text-tool controls to fit the client area.

#include "ui/mainwindow/toolbar.h"

#include <QRect>
#include <QRectF>
#include <array>

namespace garabix::layout {

constexpr QRectF paletteStrip{1800, 0, 14295, 345};
constexpr QRectF textSizeBoxDesign{3360, 6600, 855, 390};
constexpr QRectF fontBoxDesign{4320, 6600, 2055, 390};
constexpr QRectF styleButtonsDesign[2] = {{6480, 6600, 375, 375}, {6840, 6600, 375, 375}};
constexpr QRectF colourWellRect{120, 6360, 1575, 615};
constexpr QRectF textPanelDesign{3720, 3480, 4695, 1815};
constexpr QRectF textEditInPanel{120, 120, 4455, 975};
constexpr QRectF closeButtonInPanel{1200, 1200, 2415, 495};

// A rectangle in twips as widget pixels at `twipsPerPixel`. Edges are
// rounded, not sizes, so that touching controls stay touching.
QRect twipsToPixels(const QRectF &twips, double twipsPerPixel);

// Design rectangle of a tool-bar button.
QRectF toolbarButtonRect(ToolbarButton button);

// Which tool-bar buttons show (the school may turn some off), by index.
using ShownButtons = std::array<bool, toolbarButtonCount>;
constexpr ShownButtons everyButton() {
    ShownButtons all{};
    for (bool &b : all)
        b = true;
    return all;
}

// The tool bar at its usual size, closed up over the buttons not shown:
// the small buttons fill the three columns in their order, and the four
// larger ones follow, two a row, under the last row. With every button
// shown, each is at its design rectangle.
std::array<QRectF, toolbarButtonCount> arrangeToolbar(const ShownButtons &shown);

// Design background colour of a tool-bar button as R + 256 G + 65536 B, or
// -1 for the system button face.
long toolbarButtonColour(ToolbarButton button);

// "Mis dibujos", in the free area under the colour well and above the magic
// button and the stamp picture on the bottom edge (`stampHeight` tall): as
// tall as the colour well is wide where there is room, never shorter than
// 600 twips.
QRectF myDrawingsButtonRect(double screenHeight, double stampHeight);
// The magic button and the colouring pages button, tool-bar buttons side by
// side under "Mis dibujos", the pair centred on the colour well.
QRectF magicButtonRect(const QRectF &myDrawings);
QRectF pagesButtonRect(const QRectF &magic);

struct MainLayout {
    QRectF frame; // the canvas frame, and so the canvas
    std::array<QRectF, 10> penButtons;
    QRectF textSizeBox;
    QRectF fontBox;
    std::array<QRectF, 2> styleButtons;
};

// The canvas frame, the pen-size row and the text tool's lists and buttons
// for a client area of the given size.
MainLayout arrangeMainWindow(double screenWidth, double screenHeight);

// The side colour panel: against the right edge, from the canvas top down to
// just above the end of the pen-size row.
QRectF colourPanelRect(const MainLayout &l, double screenWidth);

// The larger controls: every button, pen and swatch `scale` times its usual
// size. The tool bar takes as many columns as the window's height asks, the
// palette and the pen row wrap onto more rows, and the canvas has what is
// left: on a small screen it gives way, never the controls.
struct LargeLayout {
    std::array<QRectF, toolbarButtonCount> toolbar;
    QRectF colourWell;
    QRectF myDrawings;
    QRectF magic;
    QRectF pages;
    QRectF palette;
    int paletteColumns = 1;
    MainLayout rest; // the canvas frame, the pens, the text tool's lists
    QRectF colourPanel;
    int chartColumns = 1;
    int chartPitch = 0; // the chart's swatches, smaller where the canvas is small
};

// Swatch grids' pitch and gap, in pixels, at a scale.
struct SwatchSpacing {
    int pitch;
    int gap;
};
SwatchSpacing paletteSpacing(double scale);
SwatchSpacing chartSpacing(double scale);

// `twipsPerPixel` turns the swatches' pixels into twips; the stamp picture,
// `stampHeight` tall, keeps the bottom of the left column.
LargeLayout arrangeLarge(double screenWidth, double screenHeight, double scale, double stampHeight,
                         double twipsPerPixel, const ShownButtons &shown = everyButton());

} // namespace garabix::layout
