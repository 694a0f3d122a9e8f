// The drawing document: how far undo goes back, whether the drawing is
// saved after every kind of change, and the undo ring's compressor handing
// over its work while the tiles it worked on come and go. The canvas
// surface under it: layers, the flood fill and the masked blit.

#include "core/canvas/drawing.h"
#include "core/canvas/floodfill.h"
#include "core/canvas/magic.h"
#include "core/canvas/maskedblit.h"
#include "coretestutil.h"

#include <QSemaphore>
#include <QTemporaryDir>
#include <QtTest>

using namespace garabix;
using test::colourAt;
using test::countColour;

namespace {

constexpr ColourWord red = 0x0000FF, blue = 0xFF0000;

// A picture of its own for each k: a slanted line in a colour of k's.
void drawStep(CanvasSurface &c, int k) {
    c.line(Layer::Keep, QPointF(k % 60, 0), QPointF(63 - k % 60, 63),
           {colourWord((k * 40) % 256, (k * 7) % 256, 128), 3});
}

} // namespace

class TestDrawing : public QObject {
    Q_OBJECT
private slots:
    // The ring holds 19 pictures: the newest and 18 to go back to, and no
    // more, however many steps came before.
    void undoGoesBackEighteenStepsAndStops() {
        Drawing d;
        d.reset(QSize(64, 64));
        QVector<QImage> pictures;
        for (int k = 0; k < 25; ++k) {
            d.canvas().setBackgroundPicture(QImage());
            drawStep(d.canvas(), k);
            d.snapshot();
            pictures << d.picture().copy();
        }
        int undone = 0;
        while (d.undo())
            ++undone;
        QCOMPARE(undone, UndoRing::slotCount - 1);
        QCOMPARE(d.picture(), pictures[24 - undone]);
        QVERIFY(!d.undo());
        QCOMPARE(d.picture(), pictures[24 - undone]);
        for (int k = 0; k < undone; ++k)
            QVERIFY(d.redo());
        QVERIFY(!d.redo());
        QCOMPARE(d.picture(), pictures[24]);
    }

    // A magic stroke changes the picture in place, shows at once where it
    // changed, and is one undo step: undo gives the picture before it back,
    // redo the stroke's, pixel for pixel.
    void magicIsOneUndoStep() {
        Drawing d;
        d.reset(QSize(200, 100));
        drawStep(d.canvas(), 3);
        d.snapshot();
        const QImage before = d.picture().copy();
        QRect shown;
        d.canvas().onUpdate = [&](const QRect &r) { shown |= r; };
        MagicStroke stroke(Magic::Smudge, 10, black, 1);
        for (const QPointF p : {QPointF(20, 20), QPointF(120, 60), QPointF(180, 30)})
            d.canvas().changeInPlace([&](QImage &image) { return stroke.paintTo(image, p); });
        d.snapshot();
        const QImage after = d.picture().copy();
        QVERIFY(after != before);
        QCOMPARE(d.canvas().screenLayer(), after);
        QVERIFY(shown.contains(QRect(20, 20, 160, 40)));
        QVERIFY(d.undo());
        QCOMPARE(d.picture(), before);
        QVERIFY(d.redo());
        QCOMPARE(d.picture(), after);
    }

    // Saving is refused only for the picture last saved or shown, while its
    // file is still on disk as it was: undo and redo back to it make the
    // drawing saved again, anything else unsaved.
    void savedFollowsThePictureAndTheDisk() {
        QTemporaryDir dir;
        const auto file = [&](const QString &name, const QByteArray &bytes) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write(bytes);
            return f.fileName();
        };
        Drawing d;
        d.reset(QSize(100, 80));
        QVERIFY(!d.needsSaving()); // a blank canvas has nothing to save
        d.clear();                 // nor has a new drawing on it
        QVERIFY(!d.needsSaving() && d.undoDepth() == 0);
        drawStep(d.canvas(), 1);
        QVERIFY(d.needsSaving()); // drawn, not yet a step
        d.snapshot();
        drawStep(d.canvas(), 2);
        d.snapshot();
        d.markSaved(file("0.bmp", "first"));
        QVERIFY(!d.needsSaving());
        QVERIFY(d.undo());
        QVERIFY(d.needsSaving());
        QVERIFY(d.redo());
        QVERIFY(!d.needsSaving());
        d.canvas().line(Layer::Preview, QPointF(5, 5), QPointF(60, 40), {black, 3});
        d.canvas().repaint(); // a preview drawn and erased changes nothing
        d.snapshot();         // nor does a step that drew nothing
        QVERIFY(!d.needsSaving());
        // The file removed, or replaced by another, behind the program's back.
        QVERIFY(QFile::remove(dir.filePath("0.bmp")));
        QVERIFY(d.needsSaving() && !d.modified());
        d.markSaved(file("1.bmp", "second"));
        QVERIFY(!d.needsSaving());
        QVERIFY(QFile::remove(dir.filePath("1.bmp")));
        file("1.bmp", "other!");
        QVERIFY(d.needsSaving());

        // A saved drawing shown is saved and on show; growing keeps it so.
        QImage saved(50, 40, QImage::Format_RGB32);
        saved.fill(Qt::red);
        const QString three = file("3.bmp", "three");
        d.showSaved(saved, three);
        QVERIFY(!d.needsSaving());
        QCOMPARE(d.shownDrawing(), three);
        d.grow(QSize(140, 90));
        QVERIFY(!d.needsSaving());
        QVERIFY(!d.undo()); // undo starts again from the grown canvas
        drawStep(d.canvas(), 3);
        d.snapshot();
        QCOMPARE(d.shownDrawing(), three); // drawn over, still on show
        QVERIFY(d.undo());
        QCOMPARE(d.shownDrawing(), three);
        QVERIFY(!d.needsSaving()); // the picture is the one shown again
        d.paintScene(QImage());    // a scene: no saved drawing on show
        QCOMPARE(d.shownDrawing(), QString());
        QVERIFY(d.undo()); // back onto the drawing shown, it is on show again
        QCOMPARE(d.shownDrawing(), three);
        file("3.bmp", "changed"); // rewritten: no longer the drawing on show
        QCOMPARE(d.shownDrawing(), QString());
        QVERIFY(d.needsSaving());
        const QString four = file("4.bmp", "four");
        d.showSaved(saved, four);
        d.shownDrawingDeleted();
        QVERIFY(d.needsSaving()); // deleted: saving brings it back
        QCOMPARE(d.shownDrawing(), QString());
        d.clear();
        d.markSaved(file("5.bmp", "blank"));
        d.clear(); // a new drawing on a blank drawing just saved: nothing new to save
        QVERIFY(!d.needsSaving());
    }

    // The compressor finishes a tile; before its result is taken, every
    // snapshot lets the tile go and a newer tile is made where the freed one
    // was (the ring reuses the memory of tiles last freed first). The newer
    // tile must keep its own picture.
    void compressedTilesGoOnlyWhereTheirOriginalStillIs() {
        CanvasSurface surface(QSize(64, 64));
        UndoRing ring;
        QSemaphore packed, go;
        bool first = true; // the worker's own
        ring.setAfterPackHook([&] {
            if (std::exchange(first, false)) {
                packed.release();
                go.acquire();
            }
        });
        drawStep(surface, 1);
        ring.store(0, surface); // tile T1 in slot 0
        drawStep(surface, 2);
        ring.store(1, surface); // T1 goes to the compressor, which holds there
        QVERIFY(packed.tryAcquire(1, 10000));
        drawStep(surface, 3);
        ring.store(0, surface); // slot 0 lets T1 go: nothing holds it now
        drawStep(surface, 4);
        const QImage newest = surface.persistentLayer().copy();
        ring.store(2, surface); // a new tile, maybe where T1 was
        go.release();
        ring.waitForCompression();
        surface.setBackgroundPicture(QImage());
        ring.restore(2, surface);
        QCOMPARE(surface.persistentLayer(), newest);
        ring.setAfterPackHook({});
    }

    // The canvas surface: layers, the flood fill and the masked blit, by pixels.
    void keepsAndPreviewsAndRepaintErasesOnlyPreviews() {
        CanvasSurface c(QSize(100, 100));
        QVector<QRect> updates;
        c.onUpdate = [&](const QRect &r) { updates.append(r); };
        c.line(Layer::Keep, QPointF(10, 10), QPointF(40, 10), {red});
        c.box(Layer::Preview, QPointF(50, 50), QPointF(80, 70), {blue}, std::nullopt);
        QCOMPARE(colourAt(c.persistentLayer(), 20, 10), red);
        QCOMPARE(colourAt(c.screenLayer(), 20, 10), red);
        QCOMPARE(colourAt(c.screenLayer(), 50, 60), blue);
        QCOMPARE(colourAt(c.persistentLayer(), 50, 60), white);
        updates.clear();
        c.repaint();
        QCOMPARE(colourAt(c.screenLayer(), 50, 60), white);
        QCOMPARE(colourAt(c.screenLayer(), 20, 10), red);
        QCOMPARE(c.screenLayer(), c.persistentLayer());
        // Only the preview's neighbourhood is repainted, not the canvas.
        QCOMPARE(updates.size(), 1);
        QVERIFY(updates[0].width() < 45 && updates[0].height() < 35);
        c.repaint();
        QCOMPARE(updates.size(), 1);
    }

    void floodFillMatchesANaiveFillOnMazes() {
        QImage img(97, 61, QImage::Format_RGB32);
        std::srand(7);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, std::rand() % 3 ? 0xFFFFFFFF : 0xFF000000);
        img.setPixel(40, 30, 0xFFFFFFFF);
        QImage naive = img.copy();
        QVector<QPoint> stack{{40, 30}};
        while (!stack.isEmpty()) {
            const QPoint p = stack.takeLast();
            if (!naive.rect().contains(p) || naive.pixel(p) != 0xFFFFFFFF)
                continue;
            naive.setPixel(p, 0xFF0000FF);
            stack << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1) << p - QPoint(0, 1);
        }
        QImage mirror = img.copy();
        floodFill(img, 40, 30, 0xFFFFFFFF, 0xFF0000FF, &mirror);
        QCOMPARE(img, naive);
        QCOMPARE(mirror, naive);
    }

    void maskedBlitLeavesTheKeyOutAndClips() {
        QImage dst(10, 10, QImage::Format_RGB32);
        dst.fill(0xFF00FF00);
        QImage src(4, 4, QImage::Format_RGB32);
        src.fill(0xFFFFFFFF);
        src.setPixel(0, 0, 0xFF000000); // black is copied
        src.setPixel(1, 0, 0xFFFFFFFE); // one off the key: copied
        QImage out = dst.copy();
        QCOMPARE(MaskedBlit(out, src, 0, 0, 4, 4, 3, 3, white), QRect(3, 3, 4, 4));
        QCOMPARE(out.pixel(3, 3), 0xFF000000u);
        QCOMPARE(out.pixel(4, 3), 0xFFFFFFFEu);
        QCOMPARE(out.pixel(5, 3), 0xFF00FF00u); // key: the destination shows
        out = dst.copy();
        src.fill(0xFF123456);
        MaskedBlit(out, src, 0, 0, 4, 4, 8, 8, white); // clipped at the far corner
        QCOMPARE(countColour(out, fromRgb(0xFF123456)), 4);
        QVERIFY(MaskedBlit(out, src, 0, 0, -3, 4, 0, 0, white).isEmpty());
        QCOMPARE(MaskedBlit(out, src, 2, 2, 4, 4, -1, -1, white), QRect(0, 0, 1, 1));
    }
};

QTEST_GUILESS_MAIN(TestDrawing)
#include "test_drawing.moc"
