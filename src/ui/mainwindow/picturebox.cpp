#include "ui/mainwindow/picturebox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace garabix {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface.onUpdate = [this](const QRect &r) { update(r); };
}

void PictureBox::setPicture(const QImage &p) {
    shown = !p.isNull();
    if (shown) {
        surface.resize(p.size());
        surface.setBackgroundPicture(p);
        resize(p.size());
    } else {
        surface.setBackgroundPicture(QImage());
    }
    update();
}

void PictureBox::showSurface(CanvasSurface &other) {
    source = &other;
    other.onUpdate = [this](const QRect &r) { update(r); };
    shown = true;
    resize(other.size());
    update();
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    const QRect r = event->rect();
    p.fillRect(r, Qt::white);
    if (shown)
        p.drawImage(r.topLeft(), source->screenLayer(), r & source->rect());
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    if (onPress)
        onPress(event->button(), event->position());
}

} // namespace garabix
