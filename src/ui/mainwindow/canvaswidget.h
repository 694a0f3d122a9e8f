#pragma once
// Picture1, the canvas on screen: paints the changed part of the surface's
// screen image and the visible grid elements over it, and forwards pointer
// events to its owner as canvas pixel positions. A finger draws as the left
// button does, and while it draws every other touch point (a second finger,
// a resting palm) is ignored; a pen (tablet) draws as the mouse does.

#include "core/canvas/canvassurface.h"
#include "core/grid/grid.h"

#include <QTouchEvent>
#include <QWidget>
#include <functional>

namespace garabix {

class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    CanvasWidget(CanvasSurface &surface, const GridOverlay &grid, QWidget *parent = nullptr);
    ~CanvasWidget() override;

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
    void touch(QTouchEvent *event);

    CanvasSurface &surface;
    int drawingFinger = -1; // the touch point that draws, while one does
    const GridOverlay &grid;
};

} // namespace garabix
