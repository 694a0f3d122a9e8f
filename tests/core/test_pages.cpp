// Colouring pages on the drawing: the lines stay on top of every kind of
// painting, a fill stops at them, undo keeps them, and the page is left when
// the canvas shows another drawing.

#include "core/canvas/drawing.h"
#include "core/canvas/magictool.h"
#include "core/canvas/pagelines.h"
#include "coretestutil.h"

#include <QPainter>
#include <QtTest>

using namespace garabix;
using garabix::test::colourAt;
using garabix::test::countColour;

namespace {

constexpr QSize canvasSize(200, 150);
constexpr QRgb ink = qRgb(20, 20, 20);

// A square with a circle inside it and a line across the page, in dark ink
// three pixels wide on a transparent page, as a page is drawn.
QImage pageArt() {
    QImage art(canvasSize, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    QPainter p(&art);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(ink), 3));
    p.drawRect(20, 20, 100, 100);
    p.drawEllipse(QPointF(70, 70), 30, 30);
    p.drawLine(140, 10, 190, 140);
    return art;
}

// Every line pixel of `lines` shows the page's own colour on `image`.
bool linesIntact(const PageLines &lines, const QImage &image, const QImage &art) {
    QImage page(image.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    lines.drawOver(page, page.rect());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (lines.isLine(x, y) && image.pixel(x, y) != page.pixel(x, y))
                return false;
    return lines.pixelCount() > 0 && !art.isNull();
}

} // namespace

class TestPages : public QObject {
    Q_OBJECT
private slots:
    // Only dark, mostly opaque art is a line: the faint edge of an
    // anti-aliased stroke and a light or see-through colour are not, so
    // every line pixel is whole.
    void linesAreTheDarkOpaquePixels() {
        QImage art(4, 1, QImage::Format_ARGB32);
        art.setPixel(0, 0, qRgba(0, 0, 200, 255));     // dark blue: a line, blue
        art.setPixel(1, 0, qRgba(0, 0, 0, 127));       // under half opaque
        art.setPixel(2, 0, qRgba(200, 200, 200, 255)); // light grey
        art.setPixel(3, 0, qRgba(0, 0, 0, 128));       // half opaque, dark on paper
        const auto lines = PageLines::fromArt(art);
        QCOMPARE(lines->pixelCount(), size_t(2));
        QVERIFY(lines->isLine(0, 0) && !lines->isLine(1, 0) && !lines->isLine(2, 0));
        QVERIFY(lines->isLine(3, 0));
        QImage image(4, 1, QImage::Format_RGB32);
        image.fill(Qt::white);
        lines->drawOver(image, image.rect());
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 200));
        QCOMPARE(image.pixel(3, 0), qRgb(127, 127, 127));
        QCOMPARE(image.pixel(1, 0), qRgb(255, 255, 255));
    }

    void everyKindOfPaintingLeavesTheLines() {
        const QImage art = pageArt();
        const auto lines = PageLines::fromArt(art);
        Drawing d(canvasSize);
        d.openPage(lines);
        QVERIFY(d.pageOpen());
        CanvasSurface &c = d.canvas();
        QVERIFY(linesIntact(*lines, c.persistentLayer(), art));
        QImage stamp(60, 60, QImage::Format_RGB32);
        stamp.fill(qRgb(200, 0, 0));
        QImage scene(20, 20, QImage::Format_RGB32);
        scene.fill(qRgb(0, 120, 0));
        const std::vector<std::pair<const char *, std::function<void()>>> paintings = {
            {"pencil",
             [&] {
                 c.line(Layer::Keep, {0, 70}, {199, 72}, {0x0000FF, 9});
             }},
            {"spray",
             [&] {
                 for (int i = 0; i < 400; ++i)
                     c.dot(Layer::Keep, {double(i % 200), double(i * 7 % 150)}, {0xFF00FF, 1});
             }},
            {"rectangle",
             [&] {
                 c.box(Layer::Keep, {10, 10}, {130, 60}, {0x00FF00, 5}, 0x00FFFF);
             }},
            {"ellipse",
             [&] {
                 c.ellipse(Layer::Keep, {70, 70}, 40, 35, {0x808000, 4}, 0x800080);
             }},
            {"fill", [&] { c.floodFill(Layer::Keep, 5, 5, c.readPixel(5, 5), 0x008080); }},
            {"stamp", [&] { c.blitMasked(Layer::Keep, stamp, 0, 0, 60, 60, 40, 40, 0xFFFFFF); }},
            {"stamp outline", [&] { c.paintPictureAnd(Layer::Keep, stamp, 100, 90); }},
            {"text",
             [&] {
                 c.printText(Layer::Keep, {15, 60}, QStringLiteral("HOLA HOLA"),
                             QFont(QStringLiteral("DejaVu Sans"), 40), 0x000080);
             }},
            {"scene", [&] { d.paintScene(scene); }},
        };
        for (const auto &[name, paint] : paintings) {
            paint();
            QVERIFY2(linesIntact(*lines, c.persistentLayer(), art), name);
            QVERIFY2(linesIntact(*lines, c.screenLayer(), art), name);
            d.snapshot();
        }
        // Every magic effect, painted across the page or on the whole of it.
        DrawingState s;
        s.lineWidth = 19;
        Random rng;
        for (int k = 0; k < magicCount; ++k) {
            s.magic = Magic(k);
            MagicBrush brush;
            brush.press(s, c, rng, 1, 10, 70);
            for (int x = 10; x < 200; x += 15)
                brush.move(c, x, 70 + (x % 30));
            brush.release();
            QVERIFY2(linesIntact(*lines, c.persistentLayer(), art), qPrintable(QString::number(k)));
            QVERIFY2(linesIntact(*lines, c.screenLayer(), art), qPrintable(QString::number(k)));
        }
        // Mirrored and flipped, a page shows its lines once, where they are.
        for (Magic whole : {Magic::Mirror, Magic::Flip}) {
            Drawing blank(canvasSize);
            blank.openPage(lines);
            s.magic = whole;
            MagicBrush brush;
            brush.press(s, blank.canvas(), rng, 1, 10, 10);
            QImage page(canvasSize, QImage::Format_RGB32);
            page.fill(Qt::white);
            lines->drawOver(page, page.rect());
            QCOMPARE(blank.picture(), page);
        }
        // A preview, such as a shape being dragged out, goes under the lines too.
        c.box(Layer::Preview, {0, 0}, {199, 149}, {0xFF0000, 1}, 0xFF0000);
        QVERIFY(linesIntact(*lines, c.screenLayer(), art));
        QCOMPARE(countColour(c.screenLayer(), 0xFF0000) + int(lines->pixelCount()),
                 canvasSize.width() * canvasSize.height());
    }

    void aFillStopsAtTheLines() {
        const auto lines = PageLines::fromArt(pageArt());
        Drawing d(canvasSize);
        d.openPage(lines);
        CanvasSurface &c = d.canvas();
        // Between the square and the circle: the ring fills, nothing outside it.
        const QImage before = c.copyPersistent();
        c.floodFill(Layer::Keep, 25, 25, c.readPixel(25, 25), 0x0000FF);
        const QImage after = c.copyPersistent();
        int changed = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    ++changed;
                    QVERIFY2(x > 20 && x < 120 && y > 20 && y < 120, "filled outside the square");
                    QVERIFY2(std::hypot(x - 70, y - 70) > 29, "filled into the circle");
                }
        QVERIFY(changed > 5000);
        // The circle and the ring both in the ink's own colour: a fill of
        // the circle still stops at its line.
        const ColourWord inkWord = 0x141414;
        c.floodFill(Layer::Keep, 70, 70, c.readPixel(70, 70), inkWord);
        c.floodFill(Layer::Keep, 25, 25, c.readPixel(25, 25), inkWord);
        c.floodFill(Layer::Keep, 70, 70, c.readPixel(70, 70), 0x00FF00);
        QCOMPARE(colourAt(c.persistentLayer(), 25, 25), inkWord);
        QCOMPARE(colourAt(c.persistentLayer(), 5, 5), 0xFFFFFFu);
        QVERIFY(countColour(c.persistentLayer(), 0x00FF00) > 2000);
        // A click on a line fills nothing.
        int lineX = 20;
        while (!lines->isLine(lineX, 70))
            ++lineX;
        const QImage onLine = c.copyPersistent();
        c.floodFill(Layer::Keep, lineX, 70, c.readPixel(lineX, 70), 0xFF0000);
        QCOMPARE(c.copyPersistent(), onLine);
    }

    // Undo back to the page's first step keeps the lines; one more undo is
    // the drawing before the page, and redo opens the page again.
    void undoKeepsTheLines() {
        const QImage art = pageArt();
        const auto lines = PageLines::fromArt(art);
        Drawing d(canvasSize);
        d.canvas().line(Layer::Keep, {0, 0}, {199, 149}, {0xFF0000, 30});
        d.snapshot();
        const QImage before = d.canvas().copyPersistent();
        d.openPage(lines);
        const QImage page = d.canvas().copyPersistent();
        for (int i = 0; i < 6; ++i) {
            d.canvas().floodFill(Layer::Keep, 25 + i, 25, d.canvas().readPixel(25 + i, 25),
                                 ColourWord(0x203040 * (i + 1)));
            d.canvas().box(Layer::Keep, {0, 0}, {199, 149}, {ColourWord(0x10 * i), 8}, {});
            d.snapshot();
        }
        for (int i = 0; i < 6; ++i) {
            QVERIFY(d.undo());
            QVERIFY(d.pageOpen());
            QVERIFY(linesIntact(*lines, d.picture(), art));
        }
        QCOMPARE(d.picture(), page);
        QVERIFY(d.undo());
        QVERIFY(!d.pageOpen());
        QCOMPARE(d.picture(), before);
        QVERIFY(d.redo());
        QVERIFY(d.pageOpen());
        QCOMPARE(d.picture(), page);
        // Painted on after the redo, the lines are still kept.
        d.canvas().line(Layer::Keep, {0, 70}, {199, 70}, {0x00FF00, 12});
        QVERIFY(linesIntact(*lines, d.picture(), art));
    }

    // Another drawing or a new one leaves the page; a scene is painted under it.
    void anotherDrawingLeavesThePage() {
        const auto lines = PageLines::fromArt(pageArt());
        Drawing d(canvasSize);
        d.openPage(lines);
        QImage scene(10, 10, QImage::Format_RGB32);
        scene.fill(qRgb(0, 0, 255));
        d.paintScene(scene);
        QVERIFY(d.pageOpen());
        d.clear();
        QVERIFY(!d.pageOpen());
        QCOMPARE(countColour(d.picture(), 0xFFFFFF), canvasSize.width() * canvasSize.height());
        d.canvas().line(Layer::Keep, {0, 70}, {199, 70}, {0x00FF00, 12});
        QVERIFY(countColour(d.picture(), 0x00FF00) > 1000);
        d.openPage(lines);
        QImage saved(canvasSize, QImage::Format_RGB32);
        saved.fill(qRgb(255, 255, 0));
        d.showSaved(saved, QStringLiteral("/nowhere/3.bmp"));
        QVERIFY(!d.pageOpen());
        d.canvas().line(Layer::Keep, {0, 70}, {199, 70}, {0x00FF00, 12});
        QCOMPARE(countColour(d.picture(), 0x00FFFF) + countColour(d.picture(), 0x00FF00),
                 canvasSize.width() * canvasSize.height());
        d.openPage(lines);
        d.reset(canvasSize);
        QVERIFY(!d.pageOpen());
    }
};

QTEST_MAIN(TestPages)
#include "test_pages.moc"
