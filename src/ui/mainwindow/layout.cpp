#include "ui/mainwindow/layout.h"

#include "core/canvas/colourpictures.h"
#include "core/text/numeric.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace garabix::layout {

namespace {

using B = ToolbarButton;

constexpr double toolbarButtonSide = 615;

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

QRect twipsToPixels(const QRectF &t, double tpp) {
    auto px = [tpp](double twips) { return static_cast<int>(roundToInt(twips / tpp)); };
    const int left = px(t.left());
    const int top = px(t.top());
    return QRect(left, top, px(t.left() + t.width()) - left, px(t.top() + t.height()) - top);
}

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

namespace {
constexpr ToolbarButton largerButtons[4] = {B::DeleteDrawing, B::Quit, B::NextDrawing,
                                            B::PreviousDrawing};
} // namespace

std::array<QRectF, toolbarButtonCount> arrangeToolbar(const ShownButtons &shown) {
    std::array<QRectF, toolbarButtonCount> bar{};
    int cell = 0;
    for (const auto &row : gridColumns)
        for (ToolbarButton b : row)
            if (shown[size_t(buttonIndex(b))]) {
                bar[size_t(buttonIndex(b))] = {600.0 * (cell % 3), 600.0 * (cell / 3), 615, 615};
                ++cell;
            }
    // Rows overlap by the buttons' 15-twip edge, as in the grid.
    double top = 600.0 * ((cell + 2) / 3), rowHeight = 0;
    int place = 0;
    for (ToolbarButton b : largerButtons) {
        if (!shown[size_t(buttonIndex(b))])
            continue;
        if (place % 2 == 0 && place > 0) {
            top += rowHeight - 15;
            rowHeight = 0;
        }
        const QSizeF size = toolbarButtonRect(b).size();
        bar[size_t(buttonIndex(b))] = {place % 2 == 0 ? 0.0 : 960.0, top, size.width(),
                                       size.height()};
        rowHeight = std::max(rowHeight, size.height());
        ++place;
    }
    return bar;
}

long toolbarButtonColour(ToolbarButton button) {
    return colours[buttonIndex(button)];
}

QRectF myDrawingsButtonRect(double screenHeight, double stampHeight) {
    const double top = colourWellRect.top() + colourWellRect.height() + 105;
    const double magic = toolbarButtonSide + 105; // the magic and pages buttons and their gap
    const double room = screenHeight - stampHeight - 105 - magic - top;
    const double side = std::clamp(room, 600.0, colourWellRect.width());
    return {colourWellRect.left() + (colourWellRect.width() - side) / 2, top, side, side};
}

QRectF magicButtonRect(const QRectF &myDrawings) {
    return {colourWellRect.center().x() - toolbarButtonSide - 105 / 2.0, myDrawings.bottom() + 105,
            toolbarButtonSide, toolbarButtonSide};
}

QRectF pagesButtonRect(const QRectF &magic) {
    return magic.translated(magic.width() + 105, 0);
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

SwatchSpacing paletteSpacing(double scale) {
    return {static_cast<int>(std::lround(16 * scale)), static_cast<int>(std::lround(4 * scale))};
}

SwatchSpacing chartSpacing(double scale) {
    return {static_cast<int>(std::lround(11 * scale)),
            std::max(1, static_cast<int>(std::lround(scale)))};
}

namespace {

// Boxes left to right from `origin`, each `gap` after the one before, and a
// row under the other when the next would pass `right`. Answers the bottom.
struct FlowItem {
    QSizeF size;
    double gap; // before it, on its row
};
double flow(const std::vector<FlowItem> &items, QPointF origin, double right, double rowGap,
            std::vector<QRectF> &placed) {
    double x = origin.x(), y = origin.y(), rowHeight = 0;
    for (const FlowItem &item : items) {
        const double start = x == origin.x() ? x : x + item.gap;
        if (start + item.size.width() > right && x != origin.x()) {
            y += rowHeight + rowGap;
            x = origin.x();
            rowHeight = 0;
            placed.emplace_back(QPointF(x, y), item.size);
        } else {
            placed.emplace_back(QPointF(start, y), item.size);
        }
        x = placed.back().right();
        rowHeight = std::max(rowHeight, item.size.height());
    }
    return y + rowHeight;
}

} // namespace

LargeLayout arrangeLarge(double screenWidth, double screenHeight, double f, double stampHeight,
                         double tpp, const ShownButtons &shown) {
    LargeLayout l;
    // The usual buttons share their edges; the larger ones keep apart.
    const double side = 615 * f, pitch = side + 15 * f, gap = 105 * f;
    const double myDrawingsSide = 900 * f;
    // The left column: the tool bar's small buttons in as few columns as
    // leave room below for the larger ones, the colour well, Mis dibujos
    // and the stamp picture.
    std::vector<ToolbarButton> small, large;
    for (const auto &row : gridColumns)
        for (ToolbarButton b : row)
            if (shown[size_t(buttonIndex(b))])
                small.push_back(b);
    for (ToolbarButton b : largerButtons)
        if (shown[size_t(buttonIndex(b))])
            large.push_back(b);
    double left = 0;
    for (int columns = 3; columns <= 12; ++columns) {
        left = columns * pitch + (side - pitch);
        const int rows = (static_cast<int>(small.size()) + columns - 1) / columns;
        for (size_t i = 0; i < small.size(); ++i)
            l.toolbar[buttonIndex(small[i])] =
                QRectF(pitch * (int(i) % columns), pitch * (int(i) / columns), side, side);
        // The two picture buttons stay side by side, on one row.
        const bool pair = large.size() >= 2 && large[large.size() - 2] == B::NextDrawing &&
                          large.back() == B::PreviousDrawing;
        const size_t single = large.size() - (pair ? 2 : 0);
        std::vector<FlowItem> items;
        for (size_t i = 0; i < single; ++i)
            items.push_back({toolbarButtonRect(large[i]).size() * f, gap});
        const QSizeF picture = toolbarButtonRect(B::NextDrawing).size() * f;
        if (pair)
            items.push_back({QSizeF(2 * picture.width() + gap, picture.height()), gap});
        items.push_back({colourWellRect.size() * f, gap});
        items.push_back({QSizeF(myDrawingsSide, myDrawingsSide), gap});
        items.push_back({QSizeF(side, side), gap}); // the magic button
        items.push_back({QSizeF(side, side), gap}); // the colouring pages button
        std::vector<QRectF> placed;
        const double bottom = flow(items, QPointF(0, rows * pitch + gap), left, gap, placed);
        for (size_t i = 0; i < single; ++i)
            l.toolbar[buttonIndex(large[i])] = placed[i];
        if (pair) {
            const QRectF both = placed[single];
            l.toolbar[buttonIndex(B::NextDrawing)] = QRectF(both.topLeft(), picture);
            l.toolbar[buttonIndex(B::PreviousDrawing)] =
                QRectF(both.topLeft() + QPointF(picture.width() + gap, 0), picture);
        }
        const size_t placedButtons = single + (pair ? 1 : 0);
        l.colourWell = placed[placedButtons];
        l.myDrawings = placed[placedButtons + 1];
        l.magic = placed[placedButtons + 2];
        l.pages = placed[placedButtons + 3];
        if (bottom + gap + stampHeight <= screenHeight)
            break;
    }

    // The palette over the canvas, in as many rows as its width asks.
    const SwatchSpacing ps = paletteSpacing(f);
    const double across = (screenWidth - left) / tpp;
    l.paletteColumns = std::max(1, static_cast<int>((across - ps.gap) / ps.pitch));
    const int paletteRows =
        (colourpictures::paletteSwatches + l.paletteColumns - 1) / l.paletteColumns;
    l.palette = QRectF(left, 0, (l.paletteColumns * ps.pitch + ps.gap) * tpp,
                       (paletteRows * ps.pitch + ps.gap) * tpp);

    // The pens and the text tool's lists under the canvas, wrapping.
    std::vector<FlowItem> bottomRow;
    const double pen = 405 * f;
    for (int i = 0; i < 10; ++i)
        bottomRow.push_back({QSizeF(pen, pen), 0});
    bottomRow.push_back({textSizeBoxDesign.size() * f, 200 * f});
    bottomRow.push_back({fontBoxDesign.size() * f, 50 * f});
    bottomRow.push_back({styleButtonsDesign[0].size() * f, 100 * f});
    bottomRow.push_back({styleButtonsDesign[1].size() * f, 20 * f});
    std::vector<QRectF> placed;
    const double rowLeft = left + 200 * f;
    const double height = flow(bottomRow, QPointF(rowLeft, 0), screenWidth, 10 * f, placed);
    const double top = l.palette.bottom();
    MainLayout &m = l.rest;
    m.frame = QRectF(left, top, screenWidth - left, screenHeight - top - height - 10 * f);
    const double below = m.frame.bottom() + 10 * f;
    for (int i = 0; i < 10; ++i)
        m.penButtons[size_t(i)] = placed[size_t(i)].translated(0, below);
    m.textSizeBox = placed[10].translated(0, below);
    m.fontBox = placed[11].translated(0, below);
    m.styleButtons[0] = placed[12].translated(0, below);
    m.styleButtons[1] = placed[13].translated(0, below);

    // The colour chart against the right edge, in as many columns as its
    // colours need at the canvas's height; on a canvas too small for it, its
    // swatches shrink (to the usual size at the least) so that it lies over
    // the canvas only.
    const SwatchSpacing cs = chartSpacing(f);
    constexpr int chartColours = colourpictures::chartRows * colourpictures::chartColumns;
    for (l.chartPitch = cs.pitch;; --l.chartPitch) {
        const int fit =
            std::max(1, static_cast<int>((m.frame.height() / tpp - cs.gap) / l.chartPitch));
        l.chartColumns = (chartColours + fit - 1) / fit;
        const int chartRowsShown = (chartColours + l.chartColumns - 1) / l.chartColumns;
        const double chartWidth = (l.chartColumns * l.chartPitch + cs.gap) * tpp;
        l.colourPanel = QRectF(screenWidth - chartWidth, m.frame.top(), chartWidth,
                               (chartRowsShown * l.chartPitch + cs.gap) * tpp);
        if (l.chartPitch <= chartSpacing(1).pitch ||
            (chartWidth <= m.frame.width() && l.colourPanel.bottom() <= m.frame.bottom()))
            break;
    }
    return l;
}

} // namespace garabix::layout
