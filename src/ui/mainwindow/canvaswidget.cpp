#include "ui/mainwindow/canvaswidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTabletEvent>
#include <QTouchEvent>

namespace garabix {

namespace {
const QColor gridLineColour(224, 224, 224);
const QColor gridDotColour(0, 0, 255);
// A frame of the screen.
constexpr int frameMilliseconds = 16;

} // namespace

CanvasWidget::CanvasWidget(CanvasSurface &s, const GridOverlay &g, QWidget *parent)
    : QWidget(parent), surface(s), grid(g) {
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAttribute(Qt::WA_AcceptTouchEvents);
    surface.onUpdate = [this](const QRect &r) { surfaceChanged(r); };
    lateChanges.setSingleShot(true);
    lateChanges.setInterval(frameMilliseconds);
    connect(&lateChanges, &QTimer::timeout, this, [this] { showChanges(); });
}

void CanvasWidget::surfaceChanged(const QRect &r) {
    const double u = unit();
    changed += QRectF(r.x() * u, r.y() * u, r.width() * u, r.height() * u)
                   .toAlignedRect()
                   .adjusted(-1, -1, 1, 1);
    if (!sinceShown.isValid() || sinceShown.elapsed() >= frameMilliseconds)
        showChanges();
    else
        lateChanges.start(); // moved on by each change, so a steady drag never waits on it
}

void CanvasWidget::showChanges() {
    lateChanges.stop();
    if (changed.isEmpty())
        return;
    update(changed);
    changed = QRegion();
    sinceShown.start();
}

void CanvasWidget::setBlock(int screenPixels) {
    blockSize = std::max(1, screenPixels);
    update();
}

QSize CanvasWidget::canvasSize() const {
    const double u = unit();
    return {static_cast<int>(width() / u + 1e-6), static_cast<int>(height() / u + 1e-6)};
}

CanvasWidget::~CanvasWidget() {
    surface.onUpdate = nullptr;
}

void CanvasWidget::setDrawingSign(bool on) {
    if (on == drawingSign)
        return;
    drawingSign = on;
    update();
}

// The pointer: a ring with a cross, black over white, 20 screen pixels out
// from its point, so it shows on every colour.
QRect CanvasWidget::keyPointerRect() const {
    if (!keyPointer)
        return {};
    const QPointF c = *keyPointer * unit();
    return QRectF(c.x() - 24, c.y() - 24, 48, 48).toAlignedRect();
}

void CanvasWidget::setKeyPointer(std::optional<QPointF> at) {
    update(keyPointerRect());
    keyPointer = at;
    update(keyPointerRect());
}

void CanvasWidget::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    // From here on the painter counts in canvas pixels, each a whole block
    // of screen pixels.
    const double u = unit();
    p.scale(u, u);
    const QRectF e = event->rect();
    const QRect r = QRectF(e.x() / u, e.y() / u, e.width() / u, e.height() / u)
                        .toAlignedRect()
                        .adjusted(-1, -1, 1, 1);
    const QRect inside = r & surface.rect();
    if (!inside.isEmpty())
        p.drawImage(inside.topLeft(), surface.screenLayer(), inside);
    const QRegion outside = QRegion(r).subtracted(QRegion(surface.rect()));
    for (const QRect &o : outside)
        p.fillRect(o, Qt::white);

    if (grid.linesVisible) {
        p.setPen(QPen(gridLineColour, 1));
        for (int i : grid.linesCrossing(r)) {
            const QLineF &l = grid.lines[i];
            p.drawLine(l);
        }
    }
    if (grid.dotsVisible) {
        for (int k : grid.dotsInside(r)) {
            const QPointF c = grid.dots[k].p1();
            p.fillRect(QRectF(c.x() - 1, c.y() - 1, 3, 3), gridDotColour);
        }
    }
    if (drawingSign) {
        // Drawing is on: an orange frame round the canvas, in screen pixels.
        p.resetTransform();
        p.setPen(QPen(QColor(0xff, 0x8c, 0x00), 6));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(3, 3, -3, -3));
    }
    if (keyPointer) {
        p.resetTransform();
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF c = *keyPointer * unit();
        for (const auto &[colour, width] : {std::pair{Qt::white, 5}, std::pair{Qt::black, 2}}) {
            p.setPen(QPen(colour, width));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, 14, 14);
            p.drawLine(c - QPointF(20, 0), c - QPointF(5, 0));
            p.drawLine(c + QPointF(5, 0), c + QPointF(20, 0));
            p.drawLine(c - QPointF(0, 20), c - QPointF(0, 5));
            p.drawLine(c + QPointF(0, 5), c + QPointF(0, 20));
        }
    }
}

void CanvasWidget::mousePressEvent(QMouseEvent *event) {
    if (onPress)
        onPress(event->button(), toCanvas(event->position()));
}

void CanvasWidget::mouseMoveEvent(QMouseEvent *event) {
    if (onMove)
        onMove(event->buttons(), toCanvas(event->position()));
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent *event) {
    if (onRelease)
        onRelease(event->button(), toCanvas(event->position()));
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

bool CanvasWidget::event(QEvent *event) {
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        touch(static_cast<QTouchEvent *>(event));
        return true;
    default:
        return QWidget::event(event);
    }
}

// The first finger down draws until it lifts; the others are ignored.
void CanvasWidget::touch(QTouchEvent *event) {
    event->accept();
    const bool cancelled = event->type() == QEvent::TouchCancel;
    for (const QEventPoint &point : event->points()) {
        const QPointF at = toCanvas(point.position());
        if (drawingFinger < 0 && point.state() == QEventPoint::Pressed && !cancelled) {
            drawingFinger = point.id();
            if (onMove)
                onMove(Qt::NoButton, at); // the pointer comes to the finger first
            if (onPress)
                onPress(Qt::LeftButton, at);
            continue;
        }
        if (point.id() != drawingFinger)
            continue;
        if (point.state() == QEventPoint::Released || cancelled) {
            drawingFinger = -1;
            if (onRelease)
                onRelease(Qt::LeftButton, at);
        } else if (point.state() == QEventPoint::Updated && onMove) {
            onMove(Qt::LeftButton, at);
        }
    }
}

// A pen's tip is the left button; its side button the right one.
void CanvasWidget::tabletEvent(QTabletEvent *event) {
    event->accept();
    const QPointF at = toCanvas(event->position());
    switch (event->type()) {
    case QEvent::TabletPress:
        if (onMove)
            onMove(Qt::NoButton, at); // the pointer comes to the pen first
        if (onPress)
            onPress(event->button(), at);
        break;
    case QEvent::TabletMove:
        if (onMove)
            onMove(event->buttons(), at);
        break;
    case QEvent::TabletRelease:
        if (onRelease)
            onRelease(event->button(), at);
        break;
    default:
        break;
    }
}

} // namespace garabix
