// The drawing tools and the pointer protocol, checked by pixels on a
// headless surface; the undo ring against a plain one; the grid overlay.

#include "core/canvas/gesture.h"
#include "core/canvas/tools.h"
#include "core/grid/grid.h"
#include "coretestutil.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

using namespace garabix;
using test::colourAt;
using test::countColour;

namespace {

constexpr ColourWord red = 0x0000FF;

// A canvas with the pointer protocol around it.
struct Bench {
    explicit Bench(QSize size = QSize(200, 150)) { drawing.reset(size); }
    PointerContext ctx() { return {state, drawing, rng, text, 1, &magic}; }
    int snapshots() const { return drawing.undoDepth(); }
    void press(double x, double y, bool left = true) { pointerPress(ctx(), left, x, y); }
    void move(double x, double y, bool held = true) { pointerMove(ctx(), held, x, y); }
    void release(double x, double y, bool left = true) { pointerRelease(ctx(), left, x, y); }
    void click(double x, double y) {
        press(x, y);
        release(x, y);
    }
    void drag(QPointF a, QPointF b, bool left = true) {
        move(a.x(), a.y(), false);
        press(a.x(), a.y(), left);
        move((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
        move(b.x(), b.y());
        release(b.x(), b.y(), left);
    }
    const QImage &persistent() const { return canvas.persistentLayer(); }

    DrawingState state;
    Drawing drawing;
    CanvasSurface &canvas = drawing.canvas();
    Random rng;
    TextTool text;
    MagicBrush magic;
};

} // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    // Children tap to make eyes and rain: a tap with the pencil, or a click
    // without a drag with a shape, leaves a dot of the pen's width, and one
    // undo takes it away with whatever the same press drew.
    void tapsAndClicksLeaveDots() {
        for (Tool tool : {Tool::Pencil, Tool::Rectangle, Tool::Circle, Tool::Ellipse}) {
            for (int width : {1, 19}) {
                Bench b;
                b.state.currentTool = tool;
                b.state.lineWidth = width;
                b.state.colorRed = 255;
                b.move(50, 50, false);
                b.click(50, 50);
                const int dot = countColour(b.persistent(), red);
                QVERIFY(width == 1 ? dot == 1 : dot > 200 && dot < 19 * 19);
                QCOMPARE(countColour(b.persistent(), red, QRect(40, 40, 21, 21)), dot);
                QCOMPARE(b.snapshots(), 1);
                if (tool != Tool::Pencil)
                    continue;
                b.drag(QPointF(100, 100), QPointF(140, 100));
                QCOMPARE(colourAt(b.persistent(), 120, 100), red);
                QVERIFY(b.drawing.undo());
                QCOMPARE(countColour(b.persistent(), red, QRect(90, 80, 60, 40)), 0);
                QCOMPARE(countColour(b.persistent(), red), dot);
            }
        }
    }

    // Sprays are one-pixel dots whatever the pen: the diagonal spray's on the
    // diagonals through the pointer, the disc spray's within its radius.
    void sprayBurstsStayInTheirReach() {
        for (Tool tool : {Tool::DiagonalSpray, Tool::DiscSpray}) {
            Bench b(QSize(300, 300));
            b.rng.seed(42);
            b.state.sprayRadius = 40;
            b.state.currentTool = tool;
            b.state.lineWidth = 7;
            b.move(150, 150);
            const int dots = countColour(b.persistent(), black);
            QVERIFY(dots > 20 && dots <= (tool == Tool::DiscSpray ? 61 : 101));
            QCOMPARE(countColour(b.persistent(), black, QRect(109, 109, 83, 83)), dots);
            for (int y = 109; y < 192 && tool == Tool::DiagonalSpray; ++y)
                for (int x = 109; x < 192; ++x)
                    if (colourAt(b.persistent(), x, y) == black)
                        QCOMPARE(std::abs(x - 150), std::abs(y - 150));
            // Both sprays reach every side: the diagonal one has four arms.
            for (QRect quarter : {QRect(95, 95, 50, 50), QRect(155, 95, 50, 50),
                                  QRect(95, 155, 50, 50), QRect(155, 155, 50, 50)})
                QVERIFY(countColour(b.persistent(), black, quarter) > 2);
        }
    }

    // A rectangle previews on the screen only, drags any way, and commits with
    // one snapshot; the fill that follows takes two, one on each side of it.
    void rectanglePreviewsCommitsAndTheFillAfterIt() {
        Bench b;
        b.state.currentTool = Tool::Rectangle;
        b.state.colorRed = 255;
        b.move(100, 100, false);
        b.press(100, 100);
        b.move(40, 30); // dragged up and to the left
        QCOMPARE(colourAt(b.canvas.screenLayer(), 40, 60), red);
        QCOMPARE(colourAt(b.persistent(), 40, 60), white);
        b.move(50, 40);
        QCOMPARE(colourAt(b.canvas.screenLayer(), 40, 60), white); // the old preview is gone
        b.release(50, 40);
        QCOMPARE(colourAt(b.persistent(), 50, 70), red);
        QCOMPARE(colourAt(b.persistent(), 75, 40), red);
        QCOMPARE(b.snapshots(), 1);
        b.state.currentTool = Tool::Fill;
        b.state.colorRed = 254; // almost the rectangle's colour: a fill is exact
        b.press(75, 70);
        QCOMPARE(b.snapshots(), 2);
        b.release(75, 70);
        QCOMPARE(b.snapshots(), 3);
        QCOMPARE(colourAt(b.persistent(), 75, 70), 254u);
        QCOMPARE(colourAt(b.persistent(), 50, 70), red);
        QCOMPARE(colourAt(b.persistent(), 10, 10), white);
    }

    // The same ellipse whichever corner the drag starts from, as tall and as
    // wide as the dragged rectangle.
    void ellipseIsTheSameWhicheverWayItIsDragged() {
        QImage first;
        for (const QPointF &from : {QPointF(60, 40), QPointF(140, 40), QPointF(60, 100)}) {
            Bench b;
            b.state.currentTool = Tool::Ellipse;
            b.drag(from, QPointF(200, 140) - from);
            if (first.isNull())
                first = b.persistent().copy();
            QCOMPARE(b.persistent(), first);
        }
        QVERIFY(countColour(first, black, QRect(58, 68, 5, 5)) > 0);
        QCOMPARE(countColour(first, black, QRect(0, 0, 200, 37)), 0);
    }

    // On the grid a line goes to the grid line at or before the pointer,
    // never to the nearer one after it.
    void gridSnapsToTheLineAtOrBefore() {
        DrawingState s;
        s.gridSpacing = 20;
        QCOMPARE(snap(s, 39.4), 20);
        QCOMPARE(snap(s, 40), 40);
        QCOMPARE(snap(s, 59.6), 60); // the pointer rounds to a pixel first
        QCOMPARE(snap(s, 7), 0);
        s.gridSpacing = 0; // no grid: the pixel itself
        QCOMPARE(snap(s, 39.4), 39);
    }

    // Click-to-draw: a click holds the button until the next click, which
    // lets go; the sign shows only while it holds, and each stroke is one
    // undo step.
    void aClickHoldsTheButtonUntilTheNext() {
        Bench b;
        ClickGesture g;
        const auto click = [&](double x, double y) {
            g.press(b.ctx(), true, 6, true, x, y);
            g.release(b.ctx(), true, x, y);
        };
        g.move(b.ctx(), false, 20, 20);
        click(20, 20);
        QVERIFY(g.held() && g.drawingSign(b.state, true));
        g.move(b.ctx(), false, 120, 20);
        QCOMPARE(colourAt(b.persistent(), 70, 20), black);
        click(120, 20);
        QVERIFY(!g.held() && !g.drawingSign(b.state, true));
        QCOMPARE(b.snapshots(), 1);
        g.move(b.ctx(), false, 120, 90);
        QCOMPARE(colourAt(b.persistent(), 120, 60), white); // let go: a move draws nothing
        // Without click-to-draw a click is a dot, and nothing is held.
        g.press(b.ctx(), false, 6, true, 60, 60);
        QVERIFY(!g.held() && !g.drawingSign(b.state, false));
    }

    // The keyboard's pointer: four pixels of the design a press, one more
    // for each repeat of a held key up to 24, one canvas pixel with Shift,
    // never off the canvas.
    // Every magic effect is one undo step through the pointer, whether a
    // drag or click-to-draw's two clicks paint it, or one click changes the
    // whole picture; undo then redo gives the same pixels, and a stroke with
    // a random look is the same again from the same scatter.
    void everyMagicEffectIsOneUndoStep() {
        for (int e = 0; e < magicCount; ++e) {
            const Magic effect = Magic(e);
            for (bool clicking : {false, true}) {
                Bench b(QSize(160, 120));
                b.state.lineWidth = 9;
                b.state.sprayRadius = 30;
                for (int i = 0; i < 6; ++i) { // stripes of colour under the effect
                    b.state.colorRed = 40 * i;
                    b.state.colorBlue = static_cast<int16_t>(250 - 40 * i);
                    b.drag(QPointF(10, 10 + 20 * i), QPointF(150, 20 + 20 * i));
                }
                b.state.currentTool = Tool::Magic;
                b.state.magic = effect;
                const int depth = b.snapshots();
                const QImage before = b.persistent().copy();
                const Random scatter = b.rng;
                if (clicking) {
                    ClickGesture g;
                    for (QPointF p : {QPointF(30, 40), QPointF(130, 90)}) {
                        g.move(b.ctx(), false, p.x(), p.y());
                        g.press(b.ctx(), true, 4, true, p.x(), p.y());
                        g.release(b.ctx(), true, p.x(), p.y());
                        if (isWholePicture(effect))
                            break; // one click does it
                    }
                    QVERIFY(!g.held());
                } else {
                    b.drag(QPointF(30, 40), QPointF(130, 90));
                }
                const QImage after = b.persistent().copy();
                const QString where = QString("effect %1, clicking %2").arg(e).arg(clicking);
                QVERIFY2(after != before, qPrintable(where));
                QVERIFY2(b.snapshots() == depth + 1, qPrintable(where));
                QVERIFY(b.drawing.undo());
                QVERIFY2(b.persistent() == before, qPrintable(where));
                QVERIFY(b.drawing.redo());
                QVERIFY2(b.persistent() == after, qPrintable(where));
                if (clicking)
                    continue;
                QVERIFY(b.drawing.undo());
                b.rng = scatter;
                b.drag(QPointF(30, 40), QPointF(130, 90));
                QVERIFY2(b.persistent() == after, qPrintable(where));
            }
        }
    }

    void theKeyboardPointersSteps() {
        KeyboardPointer p;
        const QSize size(400, 100);
        p.moveTo(QPointF(0, 50), size);
        double x = 0;
        for (int i = 0; i < 24; ++i) {
            const double next = p.step(QPoint(1, 0), i > 0, false, 1, size).x();
            QCOMPARE(next - x, double(std::min(4 + i, 24)));
            x = next;
        }
        QCOMPARE(p.step(QPoint(0, 1), false, false, 1.5, size), QPointF(x, 56));
        QCOMPARE(p.step(QPoint(0, -1), true, true, 1.5, size), QPointF(x, 55));
        QCOMPARE(p.moveTo(QPointF(-5, 500), size), QPointF(0, 99));
        QCOMPARE(p.step(QPoint(-1, 1), false, false, 1, size), QPointF(0, 99));
    }

    void polylineChainAndDoubleClick() {
        Bench b;
        b.state.currentTool = Tool::Polyline;
        b.move(20, 20, false);
        QCOMPARE(b.canvas.screenLayer(), b.persistent()); // no chain, no rubber band
        b.click(20, 20);                                  // a dot at the first vertex
        QVERIFY(b.state.polyActive);
        b.move(80, 20, false);
        QCOMPARE(colourAt(b.canvas.screenLayer(), 50, 20), black); // rubber band
        QCOMPARE(colourAt(b.persistent(), 50, 20), white);
        b.click(80, 20);
        QCOMPARE(colourAt(b.persistent(), 50, 20), black);
        b.click(80, 80);
        QCOMPARE(colourAt(b.persistent(), 80, 50), black);
        pointerDoubleClick(b.ctx());
        b.release(80, 80);
        QVERIFY(!b.state.polyActive);
        b.click(150, 120);
        QCOMPARE(colourAt(b.persistent(), 115, 100), white); // not joined to the old chain
    }

    // The tiled ring against a plain ring of 19 whole copies, compared after
    // every undo and redo, over strokes, whole-canvas fills, scenes, and waits
    // for the older tiles to be compressed.
    void ringMatchesAPlainRingOfWholeCopies() {
        Bench b(QSize(300, 170)); // edge tiles that leave the canvas
        QImage scene(40, 20, QImage::Format_RGB32);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                scene.setPixel(x, y, qRgb(x * 6, y * 12, (x * y) % 256));
        QImage empty(b.persistent().size(), QImage::Format_RGB32); // before the first step
        empty.fill(Qt::white);
        QVector<QImage> plain(UndoRing::slotCount, empty);
        int index = 0, depth = 0, redo = 0;
        QRandomGenerator r(1906);
        for (int step = 0; step < 500; ++step) {
            const int kind = r.bounded(12);
            if (kind >= 10) { // redo, where there is something to bring back
                QCOMPARE(b.drawing.redo(), redo > 0);
                if (redo == 0)
                    continue;
                --redo;
                ++depth;
                index = (index + 1) % UndoRing::slotCount;
                QCOMPARE(b.persistent(), plain[index]);
                continue;
            }
            if (kind < 3 && depth == 0) { // the oldest picture held is on show
                const QImage before = b.persistent().copy();
                QVERIFY(!b.drawing.undo());
                QCOMPARE(b.persistent(), before);
                continue;
            }
            if (kind < 3) {
                QVERIFY(b.drawing.undo());
                index = (index + UndoRing::slotCount - 1) % UndoRing::slotCount;
                --depth;
                ++redo;
                QCOMPARE(b.persistent(), plain[index]);
                continue;
            }
            if (kind == 3)
                b.drawing.ring().waitForCompression();
            else if (kind == 4)
                b.canvas.floodFill(Layer::Keep, 0, 0, fromRgb(b.persistent().pixel(0, 0)),
                                   colourWord(r.bounded(256), r.bounded(256), r.bounded(256)));
            else if (kind == 5)
                b.canvas.paintPictureStretched(Layer::Keep, scene.mirrored(r.bounded(2), false),
                                               QRectF(0, 0, 300, 170));
            else
                b.canvas.line(Layer::Keep, QPointF(r.bounded(300), r.bounded(170)),
                              QPointF(r.bounded(300), r.bounded(170)),
                              {colourWord(r.bounded(256), 0, 0), 1 + r.bounded(20)});
            b.drawing.snapshot();
            redo = 0;
            index = (index + 1) % UndoRing::slotCount;
            depth = std::min(depth + 1, UndoRing::slotCount - 1);
            plain[index] = b.persistent().copy();
        }
    }

    // The grid overlay: the dot cap and what a small update draws.
    void dotLatticeStopsAt32767() {
        GridOverlay g;
        buildGridDots(g, 10, 3840, 2160); // 384 x 216 crossings
        QCOMPARE(g.gridDotCount, 32767);
        QCOMPARE(g.dots.size(), 32768);
    }

    void crossingQueriesMatchABruteForceScan() {
        GridOverlay g;
        buildGridLines(g, 10, 3840, 2160, 57600, 32400);
        buildGridDots(g, 10, 3840, 2160);
        const QRect probes[] = {QRect(95, 95, 12, 12), QRect(0, 0, 3, 3), QRect(3830, 850, 20, 20),
                                QRect(1269, 859, 3, 3)};
        for (const QRect &r : probes) {
            QSet<int> expectedDots;
            for (int k = 1; k <= g.gridDotCount; ++k)
                if (r.adjusted(-1, -1, 1, 1).contains(g.dots[k].p1().toPoint()))
                    expectedDots.insert(k);
            const QVector<int> dots = g.dotsInside(r);
            const QSet<int> got(dots.begin(), dots.end());
            QVERIFY2(got.contains(expectedDots), qPrintable(QString::number(r.x())));
            QVERIFY(dots.size() < 64); // a small update looks at few dots

            QSet<int> expectedLines;
            for (int i = 1; i < g.gridLineCount; ++i) {
                const QLineF &l = g.lines[i];
                const bool vertical = l.x1() == l.x2();
                if ((vertical && l.x1() >= r.left() && l.x1() <= r.right()) ||
                    (!vertical && l.y1() >= r.top() && l.y1() <= r.bottom()))
                    expectedLines.insert(i);
            }
            const QVector<int> lines = g.linesCrossing(r);
            QVERIFY(QSet<int>(lines.begin(), lines.end()).contains(expectedLines));
            QVERIFY(lines.size() < 16);
        }
    }
};

QTEST_GUILESS_MAIN(TestTools)
#include "test_tools.moc"
