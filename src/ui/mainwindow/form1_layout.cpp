// Form1's layout: where each control goes, in twips of the window's client
// area, for the window's present size, and the canvas's size.

#include "core/files/scenes.h"
#include "core/text/numeric.h"
#include "ui/common/brincaro.h"
#include "ui/common/uiutil.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/form1.h"
#include "ui/mainwindow/picturebox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace garabix {

int16_t Form1::screenTwipsPerPixel() const {
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const int16_t tpp = toInt16(1440.0 / dpi).value_or(15);
    return tpp > 0 ? tpp : 15;
}

double Form1::screenWidthTwips() const {
    return double(width()) * twipsPerPixel;
}
double Form1::screenHeightTwips() const {
    return double(height()) * twipsPerPixel;
}

void Form1::placeTwips(QWidget *w, const QRectF &t) const {
    w->setGeometry(twipsToPixels(t, twipsPerPixel > 0 ? twipsPerPixel : 15));
}

QRectF Form1::twipsRect(const QWidget *w) const {
    const double tpp = twipsPerPixel;
    return {w->x() * tpp, w->y() * tpp, w->width() * tpp, w->height() * tpp};
}

void Form1::placeStampOnBottomEdge() {
    const QRectF r = twipsRect(Picture2);
    placeTwips(Picture2, QRectF(r.left(), screenHeightTwips() - r.height(), r.width(), r.height()));
}


void Form1::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // A window manager may still be maximizing the window: the layout waits
    // until the size has settled, but never long.
    if (!loaded && loadTimer.isActive() && shownAt.elapsed() < 300)
        loadTimer.start();
    // Full screen and back, or a window made smaller: the controls follow.
    if (!loaded)
        return;
    placeControls();
    growCanvas(Picture1->canvasSize());
}

void Form1::toggleFullScreen() {
    if (isFullScreen())
        showMaximized();
    else
        showFullScreen();
}


void Form1::ArrangeMainWindow() {
    state.sceneCount = countScenes(appPath);
    placeControls();
    RestoreCanvasFrame();
    placeTwips(Picture4, layout::picture4Design);
    placeTwips(Text1, layout::text1InPanel);
    placeTwips(Command4, layout::command4InPanel);
    stampFill = white;
    Picture4->hide();
    state.sprayRadius = static_cast<int16_t>(canvasPixels(60));
    Picture2->raise();
    Brincaro1->raise();
}

// Places every control for the window's present size. The canvas only ever
// grows: a window made smaller hides part of the drawing, never loses it.
void Form1::placeControls() {
    frame = layout::arrangeMainWindow(screenWidthTwips(), screenHeightTwips());
    placeTwips(Picture1, frame.frame);
    for (ToolbarButton b : allToolbarButtons())
        placeTwips(Command1[buttonIndex(b)], layout::command1Rect(b));
    for (int i = 0; i < 10; ++i) {
        placeTwips(Command5[i], frame.command5[i]);
        const int side = Command5[i]->height() - 8;
        Command5[i]->setIconSize(QSize(side, side));
    }
    placeTwips(Combo1, frame.combo1);
    placeTwips(Combo2, frame.combo2);
    placeTwips(Command3[0], frame.command3[0]);
    placeTwips(Command3[1], frame.command3[1]);
    placeTwips(picPalette, layout::picPalette);
    picPalette->resize(picPalette->surface.size());
    placeTwips(Picture3, layout::picture3);
    placeTwips(Command6, layout::command6Rect(screenHeightTwips(), twipsRect(Picture2).height()));
    const int side = std::min(Command6->width(), Command6->height()) - 12;
    Command6->setIconSize(QSize(side, side));
    placeTwips(Picture5, layout::colourPanelRect(frame, screenWidthTwips()));
    placeStampOnBottomEdge();
    if (Picture4->isVisible())
        placeTextPanel();
}

// The canvas fills its frame, and once grown (full screen) keeps its size.
void Form1::RestoreCanvasFrame() {
    placeTwips(Picture1, frame.frame);
    growCanvas(Picture1->canvasSize());
    Picture1->update();
}

// The first layout gives the canvas its size. Later, a window larger than the
// canvas (full screen) grows the drawing with white around it, and undo
// starts again from it, since older pictures have the old size; a window
// made smaller again hides part of it but loses nothing.
void Form1::growCanvas(QSize size) {
    size = size.expandedTo(document.size());
    if (size == document.size())
        return;
    if (document.size() == QSize(1, 1))
        document.reset(size);
    else
        document.grow(size);
    buildGrid();
}

// Each canvas pixel covers a whole block of screen pixels: the screen's scale
// rounded down. What a child draws keeps the size it has on the screen, so
// the pens, sprays, text, stamps and grid count canvasScale canvas pixels to
// a pixel of the design (1.35 at a scale of 1.35 or 2.7, 1 at 1 or 2).
void Form1::chooseCanvasBlock() {
    const double scale = devicePixelRatioF();
    const int block = std::max(1, static_cast<int>(std::floor(scale + 1e-6)));
    canvasScale = scale / block;
    Picture1->setBlock(block);
    state.gridSpacing = static_cast<int16_t>(std::clamp(canvasPixels(state.gridSpacing), 0L, 32767L));
}

long Form1::canvasPixels(double designPixels) const {
    return std::max(designPixels > 0 ? 1L : 0L, std::lround(designPixels * canvasScale));
}

void Form1::buildGrid() {
    const QSize size = document.size();
    const QSize outer = Picture1->canvasSize().expandedTo(size);
    BuildGridLines(grid, state.gridSpacing, size.width(), size.height(), outer.width(),
                   outer.height());
    BuildGridDots(grid, state.gridSpacing, size.width(), size.height());
}

} // namespace garabix
