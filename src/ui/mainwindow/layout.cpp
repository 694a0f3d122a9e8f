#include "ui/mainwindow/layout.h"

#include <algorithm>

namespace garabix::layout {

namespace {

using B = ToolbarButton;

// Rows of the three 615-twip columns (left 0, 600, 1200), every 600 twips.
constexpr ToolbarButton gridColumns[8][3] = {
    {B::PreviousScene, B::NextScene, B::Gallery},
    {B::MirrorStamp, B::Pencil, B::Text},
    {B::Circle, B::Ellipse, B::Rectangle},
    {B::Fill, B::DiagonalSpray, B::DiscSpray},
    {B::Polyline, B::GridLines, B::GridDots},
    {B::NewDrawing, B::GridSnapLines, B::FreeLines},
    {B::Undo, B::Save, B::Copy},
    {B::Print, B::OpenFolder, B::MoreColours},
};

constexpr long colours[toolbarButtonCount] = {
    0xFFFFFF, 0xFFFFFF, 0xC0FFC0, -1,       0xFFC0FF, 0x80FFFF, 0xFFC0C0,
    0xFFFFC0, 0x8080FF, 0xC0FFC0, 0x8080FF, 0x8080FF, 0xFFFFFF, 0xFFFFFF,
    0xFFFFFF, 0xC0FFC0, 0xFFC0FF, 0xFFC0FF, 0xFFC0FF, 0xFFC0FF, 0xFFC0FF,
    0xFFC0FF, 0xFFC0FF, 0xFFC0FF, 0x8080FF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};

} // namespace

QRectF toolbarButtonRect(ToolbarButton button) {
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 3; ++col)
            if (gridColumns[row][col] == button)
                return {600.0 * col, 600.0 * row, 615, 615};
    // The four larger buttons under the grid of buttons.
    switch (button) {
    case B::DeleteDrawing:
        return {0, 4800, 855, 615};
    case B::Quit:
        return {960, 4800, 855, 615};
    case B::NextDrawing:
        return {0, 5400, 855, 855};
    case B::PreviousDrawing:
        return {960, 5400, 855, 855};
    default:
        return {};
    }
}

long toolbarButtonColour(ToolbarButton button) {
    return colours[buttonIndex(button)];
}

QRectF myDrawingsButtonRect(double screenHeight, double stampHeight) {
    const double top = colourWellRect.top() + colourWellRect.height() + 105;
    const double room = screenHeight - stampHeight - 105 - top;
    const double side = std::clamp(room, 600.0, colourWellRect.width());
    return {colourWellRect.left() + (colourWellRect.width() - side) / 2, top, side, side};
}

MainLayout arrangeMainWindow(double screenWidth, double screenHeight) {
    MainLayout l;
    const QRectF galleryButton = toolbarButtonRect(B::Gallery);
    const double top = paletteStrip.top() + paletteStrip.height();
    const double left = galleryButton.left() + galleryButton.width();
    const double width = screenWidth - left;
    const double height = screenHeight - top - textSizeBoxDesign.height() - 25;
    l.frame = QRectF(left, top, width, height);

    const QRectF &canvas = l.frame;
    // The pen-size row sits 10 twips below the canvas and ends at the
    // window's bottom edge.
    const double rowTop = canvas.top() + canvas.height() + 10;
    const double side = screenHeight - rowTop;
    l.penButtons[0] = QRectF(canvas.left() + 500, rowTop, side, side);
    for (int i = 1; i < 10; ++i) {
        const QRectF &prev = l.penButtons[i - 1];
        l.penButtons[i] =
            QRectF(prev.left() + prev.width(), rowTop, l.penButtons[0].height(), side);
    }
    const QRectF &last = l.penButtons[9];
    l.textSizeBox = QRectF(last.left() + last.width() + 200, last.top(), textSizeBoxDesign.width(),
                           textSizeBoxDesign.height());
    l.fontBox = QRectF(l.textSizeBox.left() + l.textSizeBox.width() + 50, last.top(),
                       fontBoxDesign.width(), fontBoxDesign.height());
    l.styleButtons[0] = QRectF(l.fontBox.left() + l.fontBox.width() + 100, last.top(),
                               styleButtonsDesign[0].width(), styleButtonsDesign[0].height());
    l.styleButtons[1] =
        QRectF(l.styleButtons[0].left() + styleButtonsDesign[1].width() + 20, last.top(),
               styleButtonsDesign[1].width(), styleButtonsDesign[1].height());
    return l;
}

QRectF colourPanelRect(const MainLayout &l, double screenWidth) {
    const double width = 1400;
    return {screenWidth - width, l.frame.top(), width,
            l.frame.height() + l.penButtons[0].height() - 75};
}

} // namespace garabix::layout
