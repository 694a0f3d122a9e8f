#pragma once
// canvasView, the canvas on screen: paints the changed part of the surface's
// screen image and the visible grid elements over it, and forwards pointer
// events to its owner as canvas pixel positions. Each canvas pixel covers a
// whole block of screen pixels (the screen's scale rounded down), so a line
// looks as thick along all its length. A finger draws as the left
// button does, and while it draws every other touch point (a second finger,
// a resting palm) is ignored; a pen (tablet) draws as the mouse does.
//
// What the surface changes reaches the screen at most once a frame (16 ms):
// a change within a frame of the last repaint waits for the next pointer
// event a frame on, or, when none comes, for a timer that the next change
// moves on. A pointer that reports a thousand times a second repaints sixty
// times, and a steady drag wakes the program for nothing but its events.

#include "core/canvas/canvassurface.h"
#include "core/grid/grid.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QTouchEvent>
#include <QWidget>
#include <functional>
#include <optional>

namespace garabix {

class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    CanvasWidget(CanvasSurface &surface, const GridOverlay &grid, QWidget *parent = nullptr);
    ~CanvasWidget() override;

    // How many screen pixels, across and down, a canvas pixel covers.
    void setBlock(int screenPixels);
    // A frame round the canvas while a click has started a stroke (click-to-draw).
    void setDrawingSign(bool on);
    // The keyboard's or the switch's pointer, in canvas pixels; none hides it.
    void setKeyPointer(std::optional<QPointF> at);
    int block() const { return blockSize; }
    // The canvas pixels the widget shows at its present size.
    QSize canvasSize() const;

    std::function<void(Qt::MouseButton, QPointF)> onPress;
    std::function<void(Qt::MouseButtons, QPointF)> onMove;
    std::function<void(Qt::MouseButton, QPointF)> onRelease;
    std::function<void()> onDoubleClick;
    std::function<void()> onLeave;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void tabletEvent(QTabletEvent *event) override;

private:
    bool drawingSign = false;
    std::optional<QPointF> keyPointer;
    QRect keyPointerRect() const;
    void touch(QTouchEvent *event);
    void surfaceChanged(const QRect &canvasRect);
    void showChanges();
    // A canvas pixel's side in the widget's own (scaled) pixels.
    double unit() const { return blockSize / devicePixelRatioF(); }
    QPointF toCanvas(QPointF position) const { return position / unit(); }

    CanvasSurface &surface;
    int drawingFinger = -1; // the touch point that draws, while one does
    int blockSize = 1;
    const GridOverlay &grid;
    QRegion changed;          // what the surface changed since the last repaint
    QElapsedTimer sinceShown; // since the last repaint of changes
    QTimer lateChanges;       // shows changes no later event shows
};

} // namespace garabix
