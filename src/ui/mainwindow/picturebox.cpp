#include "ui/mainwindow/picturebox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

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
    if (cornerMark.isEmpty())
        return;
    const int d = std::max(18, std::min(width(), height()) / 3);
    const QRect badge(width() - d - 2, 2, d, d);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(120, 80, 0), 2));
    p.setBrush(QColor(255, 214, 60));
    p.drawEllipse(badge);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(d * 5 / 9);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(badge, Qt::AlignCenter, cornerMark);
}

void PictureBox::setMark(const QString &text) {
    cornerMark = text;
    update();
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    if (onPress)
        onPress(event->button(), event->position());
}

} // namespace garabix
