#pragma once
// Window layout arithmetic of the main window, in twips (1/1440 inch) of the
// window's client area. The design rectangles are those of the window as it
// was drawn; the start-up layout moves the canvas frame, the pen-size row and
// the text-tool controls to fit the client area.

#include "ui/mainwindow/toolbar.h"

#include <QRectF>
#include <array>

namespace garabix::layout {

// Design client area and background of the main window.
constexpr double designWidth = 11460;
constexpr double designHeight = 8430;

constexpr QRectF picPalette{1800, 0, 14295, 345};
constexpr QRectF picture1Design{1920, 0, 7215, 4140};
constexpr QRectF combo1Design{3360, 6600, 855, 390};
constexpr QRectF combo2Design{4320, 6600, 2055, 390};
constexpr QRectF command3Design[2] = {{6480, 6600, 375, 375}, {6840, 6600, 375, 375}};
constexpr QRectF picture3{120, 6360, 1575, 615};
constexpr QRectF picture2Design{0, 6720, 1455, 1935};
constexpr QRectF picture4Design{3720, 3480, 4695, 1815};
constexpr QRectF text1InPanel{120, 120, 4455, 975};
constexpr QRectF command4InPanel{1200, 1200, 2415, 495};
constexpr QRectF picture5Design{8160, 5880, 615, 855};
constexpr QRectF picture6{3960, 5760, 975, 735};

// Design rectangle of a tool-bar button.
QRectF command1Rect(ToolbarButton button);

// Design background colour of a tool-bar button as R + 256 G + 65536 B, or
// -1 for the system button face.
long command1Colour(ToolbarButton button);

// "Mis dibujos", in the free area under the colour well and above the stamp
// picture on the bottom edge (`stampHeight` tall): as tall as the colour
// well is wide where there is room, never shorter than 600 twips.
QRectF command6Rect(double screenHeight, double stampHeight);

struct MainLayout {
    QRectF frame; // Shape1, and so Picture1
    std::array<QRectF, 10> command5;
    QRectF combo1;
    QRectF combo2;
    std::array<QRectF, 2> command3;
};

// The canvas frame, the pen-size row and the text tool's lists and buttons
// for a client area of the given size.
MainLayout arrangeMainWindow(double screenWidth, double screenHeight);

// The side colour panel: against the right edge, from the canvas top down to
// just above the end of the pen-size row.
QRectF colourPanelRect(const MainLayout &l, double screenWidth);

} // namespace garabix::layout
