#pragma once
// A drawing surface with two layers: the persistent image (what is saved,
// snapshotted and restored) and the screen image (the persistent image plus
// transient drawing). With persistence on, operations draw on both; with it
// off, on the screen image only. A repaint copies the persistent image back
// over just the places where transient drawing was made. Every operation
// returns the rectangle it changed, and reports it through onUpdate so that a
// widget can repaint only that.

#include "core/canvas/colour.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <functional>
#include <vector>

namespace garabix {

// A blank 32-bit image; large ones are backed by huge pages where the system offers them.
QImage blankImage(QSize size, QRgb colour);

class CanvasSurface {
public:
    static constexpr int tileSize = 64;

    explicit CanvasSurface(QSize size = QSize(1, 1));

    // Makes both layers `size`, blank (the background colour).
    void resize(QSize size);
    QSize size() const { return persistentImage.size(); }
    QRect rect() const { return persistentImage.rect(); }

    void setPersistence(bool on) { persistent = on; }
    bool persistence() const { return persistent; }
    void setPenWidth(int w) { pen = w < 1 ? 1 : w; }
    int penWidth() const { return pen; }
    void setFillSolid(bool solid) { fillSolid = solid; }
    bool fillStyleSolid() const { return fillSolid; }
    void setFillColour(ColourWord c) { fill = c; }
    ColourWord fillColour() const { return fill; }
    void setTextColour(ColourWord c) { textCol = c; }
    ColourWord textColour() const { return textCol; }
    void setTextPosition(QPointF p) { textPos = p; }
    QPointF textPosition() const { return textPos; }
    QFont &font() { return textFont; }
    void setBackgroundColour(ColourWord c) { background = c; }
    ColourWord backgroundColour() const { return background; }
    void setEnabled(bool on) { enabled = on; }
    bool isEnabled() const { return enabled; }

    // Drawing operations, in canvas pixels.
    QRect line(QPointF a, QPointF b, ColourWord c);
    QRect box(QPointF a, QPointF b, ColourWord c);
    QRect ellipse(QPointF centre, double rx, double ry, ColourWord c);
    QRect dot(QPointF p, ColourWord c);
    // Colour of a pixel as shown, or -1 (all bits set) outside the surface.
    long readPixel(double x, double y) const;
    // Paints the 4-connected region of exactly `seed` around (x, y) with the fill colour.
    QRect floodFill(double x, double y, ColourWord seed);
    QRect printText(const QString &text);
    // Combines `picture` with the surface by bitwise AND, top-left at (x, y).
    QRect paintPictureAnd(const QImage &picture, int x, int y);
    // Paints `picture` stretched into `target`.
    QRect paintPictureStretched(const QImage &picture, const QRectF &target);
    // Copies a rectangle of `picture` onto the surface leaving out `key`.
    QRect blitMasked(const QImage &picture, int sx, int sy, int w, int h, int dx, int dy,
                     ColourWord key);
    // Erases the transient drawing.
    void repaint();

    // Replaces the persistent image by a blank one with `picture` at (0, 0);
    // a null picture leaves it blank. The transient drawing is erased too.
    void setBackgroundPicture(const QImage &picture);

    const QImage &persistentLayer() const { return persistentImage; }
    const QImage &screenLayer() const { return screenImage; }
    // A copy of the persistent image (shares data until either is written).
    QImage copyPersistent() const { return persistentImage; }

    // Tiles of the persistent image written since the last takeDirtyTiles().
    int tileColumns() const { return tilesX; }
    int tileRows() const { return tilesY; }
    const std::vector<uint8_t> &dirtyTiles() const { return dirty; }
    void clearDirtyTiles();
    // Writes a 64 x 64 tile's pixels (row-major, tileSize stride) into both
    // layers without marking it dirty; used when the undo ring restores.
    void writeTile(int tx, int ty, const QRgb *pixels);
    void markAllDirty();
    // Announces that everything changed (after writeTile calls).
    void notifyAll();

    std::function<void(const QRect &)> onUpdate;

private:
    template <typename Paint> QRect draw(QRect bounds, Paint &&paint);
    // Makes a change on the screen layer, and on the persistent layer too
    // while persistence is on; records it as dirty or transient and reports it.
    template <typename Change> QRect onLayers(const QRect &r, Change &&change);
    void markDirty(const QRect &r);
    void notify(const QRect &r);
    void addTransient(const QRect &r);
    void copyPersistentToScreen(const QRect &r);

    QImage persistentImage;
    QImage screenImage;
    bool persistent = false;
    int pen = 1;
    bool fillSolid = false;
    ColourWord fill = black;
    ColourWord textCol = black;
    ColourWord background = white;
    QPointF textPos;
    QFont textFont;
    bool enabled = true;
    std::vector<QRect> transient;
    int tilesX = 0, tilesY = 0;
    std::vector<uint8_t> dirty;
};

} // namespace garabix
