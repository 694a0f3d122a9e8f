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

    // Shows `picture` at its own size; the widget takes that size.
    void setPicture(const QImage &picture);
    bool hasPicture() const { return !picture.isNull(); }
    // The background picture as last assigned.
    const QImage &backgroundPicture() const { return picture; }
    // Makes the surface's persistent image the background picture.
    void adoptPersistentImage();

    CanvasSurface surface;
    std::function<void(Qt::MouseButton, QPointF)> onPress;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage picture;
};

} // namespace garabix
