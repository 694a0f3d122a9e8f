#pragma once
// A picture area with a surface of its own (the stamp picture, the palette
// strip, the colour chart): shows the surface and reports presses in its
// pixels.

#include "core/canvas/canvassurface.h"

#include <QWidget>
#include <functional>

namespace garabix {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Shows `picture` at its own size; the widget takes that size. A null
    // picture leaves the area blank.
    void setPicture(const QImage &picture);
    bool hasPicture() const { return shown; }
    // The picture as it stands, with whatever was painted on it since.
    const QImage &picture() const { return surface.persistentLayer(); }

    // Shows a surface somebody else owns (the stamp tool's picture) in
    // place of its own, at that surface's size.
    void showSurface(CanvasSurface &other);
    // A short mark in the top-right corner (the stamp's size); empty: none.
    void setMark(const QString &text);
    const QString &mark() const { return cornerMark; }

    CanvasSurface surface;
    std::function<void(Qt::MouseButton, QPointF)> onPress;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool shown = false;
    QString cornerMark;
    CanvasSurface *source = &surface; // the surface on show
};

} // namespace garabix
