// The canvas surface: layers, operations checked by pixels, the flood fill
// and the masked blit.

#include "core/canvas/canvassurface.h"
#include "core/canvas/floodfill.h"
#include "core/canvas/maskedblit.h"
#include "coretestutil.h"

#include <QtTest>

using namespace garabix;
using test::colourAt;
using test::countColour;

namespace {
constexpr ColourWord red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000;
}

class TestCanvas : public QObject {
    Q_OBJECT
private slots:
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

QTEST_GUILESS_MAIN(TestCanvas)
#include "test_canvas.moc"
