#pragma once
// A drawing surface with two layers: the persistent image (what is saved,
// snapshotted and restored) and the screen image (the persistent image plus
// transient drawing). Every operation draws either for keeps, on both, or as
// a preview, on the screen image only. A repaint copies the persistent image
// back over just the places where a preview was drawn. Every change is
// reported through onUpdate, so that a widget repaints only that.

#include "core/canvas/colour.h"
#include "core/canvas/pagelines.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace garabix {

// A blank 32-bit image; large ones are backed by huge pages where the system offers them.
QImage blankImage(QSize size, QRgb colour);

// Where an operation draws: for keeps (saved, snapshotted) or as a preview.
enum class Layer { Keep, Preview };

// The pen of a line, outline or dot.
struct Stroke {
    ColourWord colour = black;
    int width = 1;
};

class CanvasSurface {
public:
    static constexpr int tileSize = 64;

    explicit CanvasSurface(QSize size = QSize(1, 1));

    // Makes both layers `size`, blank (the background colour).
    void resize(QSize size);
    QSize size() const { return persistentImage.size(); }
    QRect rect() const { return persistentImage.rect(); }

    void setBackgroundColour(ColourWord c) { background = c; }
    ColourWord backgroundColour() const { return background; }

    // Drawing operations, in canvas pixels. Boxes and ellipses are filled
    // with `fill` when it is given.
    void line(Layer layer, QPointF a, QPointF b, Stroke stroke);
    void box(Layer layer, QPointF a, QPointF b, Stroke stroke, std::optional<ColourWord> fill);
    void ellipse(Layer layer, QPointF centre, double rx, double ry, Stroke stroke,
                 std::optional<ColourWord> fill);
    void dot(Layer layer, QPointF p, Stroke stroke);
    // Colour of a pixel as shown, or -1 (all bits set) outside the surface.
    long readPixel(double x, double y) const;
    // Paints the 4-connected region of exactly `seed` around (x, y) with `fill`.
    void floodFill(Layer layer, double x, double y, ColourWord seed, ColourWord fill);
    // Writes `text` with its top-left corner at `topLeft`.
    void printText(Layer layer, QPointF topLeft, const QString &text, const QFont &font,
                   ColourWord colour);
    // Combines `picture` with the surface by bitwise AND, top-left at (x, y).
    void paintPictureAnd(Layer layer, const QImage &picture, int x, int y);
    // Paints `picture` stretched into `target`.
    void paintPictureStretched(Layer layer, const QImage &picture, const QRectF &target);
    // Copies a rectangle of `picture` onto the surface leaving out `key`.
    void blitMasked(Layer layer, const QImage &picture, int sx, int sy, int w, int h, int dx,
                    int dy, ColourWord key);
    // Changes the persistent image in place, for keeps: `change` answers
    // the rectangle it changed, and the screen shows it at once. For the
    // effects that read what is under them (magic), which run once, on the
    // picture itself.
    void changeInPlace(const std::function<QRect(QImage &)> &change);
    // The same for a change in several places: `change` adds each part it
    // changed, and the screen repaints only those.
    void changePartsInPlace(const std::function<void(QImage &, std::vector<QRect> &)> &change);
    // Erases the transient drawing.
    void repaint();

    // Replaces the persistent image by a blank one with `picture` at (0, 0);
    // a null picture leaves it blank. The transient drawing is erased too.
    void setBackgroundPicture(const QImage &picture);

    // A colouring page's lines, kept on top of every later change on both
    // layers; a fill stops at them and a click on one fills nothing. Setting
    // them draws nothing: the next picture put on the surface takes them.
    // Null: no page.
    void setLines(std::shared_ptr<const PageLines> pageLines) { lines = std::move(pageLines); }
    const std::shared_ptr<const PageLines> &pageLines() const { return lines; }

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
    // Paints a whole tile in one colour the same way.
    void fillTile(int tx, int ty, QRgb colour);
    void markAllDirty();
    // Counts every change of the persistent image, whoever made it: a
    // drawing, a resize, a new picture, a restored tile. Equal counts mean
    // the persistent image has not been touched in between.
    uint64_t persistentRevision() const { return revision; }
    // Announces that everything changed (after writeTile calls).
    void notifyAll();

    std::function<void(const QRect &)> onUpdate;

private:
    template <typename Paint> void draw(Layer layer, QRect bounds, Paint &&paint);
    // Makes a change on the screen layer, and on the persistent layer too
    // when it is for keeps; records it as dirty or transient and reports it.
    template <typename Change> void onLayers(Layer layer, const QRect &r, Change &&change);
    void markDirty(const QRect &r);
    void notify(const QRect &r);
    void addTransient(const QRect &r);
    void copyPersistentToScreen(const QRect &r);
    void linesOver(QImage &image, const QRect &r) const;

    QImage persistentImage;
    QImage screenImage;
    ColourWord background = white;
    std::vector<QRect> transient;
    int tilesX = 0, tilesY = 0;
    std::vector<uint8_t> dirty;
    uint64_t revision = 0;
    std::shared_ptr<const PageLines> lines;
};

} // namespace garabix
