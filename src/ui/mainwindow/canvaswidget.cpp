#include "ui/mainwindow/canvaswidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace garabix {

namespace {
const QColor gridLineColour(224, 224, 224);
const QColor gridDotColour(0, 0, 255);
} // namespace

CanvasWidget::CanvasWidget(CanvasSurface &s, const GridOverlay &g, QWidget *parent)
    : QWidget(parent), surface(s), grid(g) {
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    surface.onUpdate = [this](const QRect &r) { update(r); };
}

CanvasWidget::~CanvasWidget() {
    surface.onUpdate = nullptr;
}

void CanvasWidget::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    const QRect r = event->rect();
    const QRect inside = r & surface.rect();
    if (!inside.isEmpty())
        p.drawImage(inside.topLeft(), surface.screenLayer(), inside);
    const QRegion outside = QRegion(r).subtracted(QRegion(surface.rect()));
    for (const QRect &o : outside)
        p.fillRect(o, Qt::white);

    if (grid.linesVisible) {
        p.setPen(QPen(gridLineColour, 1));
        for (int i : grid.linesCrossing(r)) {
            const QLineF &l = grid.Line1[i];
            p.drawLine(l);
        }
    }
    if (grid.dotsVisible) {
        for (int k : grid.dotsInside(r)) {
            const QPointF c = grid.Line2[k].p1();
            p.fillRect(QRectF(c.x() - 1, c.y() - 1, 3, 3), gridDotColour);
        }
    }
}

void CanvasWidget::mousePressEvent(QMouseEvent *event) {
    if (onPress)
        onPress(event->button(), event->position());
}

void CanvasWidget::mouseMoveEvent(QMouseEvent *event) {
    if (onMove)
        onMove(event->buttons(), event->position());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent *event) {
    if (onRelease)
        onRelease(event->button(), event->position());
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent *) {
    // The second press of a double-click is only a double-click, never a press.
    if (onDoubleClick)
        onDoubleClick();
}

void CanvasWidget::leaveEvent(QEvent *) {
    if (onLeave)
        onLeave();
}

} // namespace garabix
