// The magic effects on an image of their own: what each promises a child
// (the whole-picture effects undo themselves when done twice, a soft effect
// on one colour changes nothing, the tint keeps light and shade, the rainbow
// walks through the hues), the same seed giving the same pixels, and every
// effect painted across the edges staying inside the picture.

#include "core/canvas/magic.h"

#include <QColor>
#include <QSet>
#include <QtTest>

using namespace garabix;

namespace {

// A picture with something different in every pixel.
QImage busyPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    return image;
}

QImage painted(QImage image, Magic effect, uint32_t seed, const QVector<QPointF> &path,
               ColourWord colour = 0x2040C0, int radius = 12) {
    MagicStroke stroke(effect, radius, colour, seed);
    for (QPointF p : path)
        stroke.paintTo(image, p);
    return image;
}

const QVector<QPointF> across = {QPointF(10, 30), QPointF(60, 40), QPointF(110, 30)};

QList<Magic> paintedEffects() {
    QList<Magic> all;
    for (int i = 0; i < magicCount; ++i)
        if (!isWholePicture(Magic(i)))
            all << Magic(i);
    return all;
}

} // namespace

class TestMagic : public QObject {
    Q_OBJECT
private slots:
    void twiceGivesThePictureBack() {
        const QImage start = busyPicture(QSize(37, 21));
        for (Magic effect : {Magic::Mirror, Magic::Flip, Magic::NegativeAll}) {
            QImage image = start;
            applyToPicture(image, effect);
            QVERIFY2(image != start, "the effect changed nothing");
            applyToPicture(image, effect);
            QCOMPARE(image, start);
        }
        QImage image = start;
        applyToPicture(image, Magic::Mirror);
        QCOMPARE(image.pixel(0, 5), start.pixel(36, 5));
        applyToPicture(image, Magic::Flip);
        QCOMPARE(image.pixel(0, 0), start.pixel(36, 20));
        // Fade goes halfway to white: white stays white, black turns mid grey.
        QImage greys(2, 1, QImage::Format_RGB32);
        greys.setPixel(0, 0, qRgb(255, 255, 255));
        greys.setPixel(1, 0, qRgb(0, 0, 0));
        applyToPicture(greys, Magic::Fade);
        QCOMPARE(greys.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(greys.pixel(1, 0), qRgb(127, 127, 127));
    }

    void softEffectsOnOneColourChangeNothing() {
        QImage plain(120, 60, QImage::Format_RGB32);
        plain.fill(qRgb(90, 160, 30));
        for (Magic effect : {Magic::Blur, Magic::Smudge, Magic::Mosaic})
            QCOMPARE(painted(plain, effect, 1, across), plain);
        // On a busy picture each of them changes something.
        const QImage busy = busyPicture(QSize(120, 60));
        for (Magic effect : {Magic::Blur, Magic::Smudge, Magic::Mosaic})
            QVERIFY(painted(busy, effect, 1, across) != busy);
    }

    // Light and shade stay: a lighter pixel before is lighter after, in the
    // chosen colour's hue.
    void tintKeepsTheLightnessOrder() {
        QImage ramp(64, 1, QImage::Format_RGB32);
        for (int x = 0; x < 64; ++x)
            ramp.setPixel(x, 0, qRgb(x * 4, (x * 4 + 30) % 256 / 2, 255 - x * 2));
        MagicStroke stroke(Magic::Tint, 40, 0x00A0FF, 1); // orange
        QImage tinted = ramp;
        stroke.paintTo(tinted, QPointF(32, 0));
        for (int a = 0; a < 64; ++a)
            for (int b = 0; b < 64; ++b) {
                const int before =
                    QColor(ramp.pixel(a, 0)).lightness() - QColor(ramp.pixel(b, 0)).lightness();
                const int after =
                    QColor(tinted.pixel(a, 0)).lightness() - QColor(tinted.pixel(b, 0)).lightness();
                if (before >= 3)
                    QVERIFY2(after >= 1, qPrintable(QString("pixels %1 and %2").arg(a).arg(b)));
            }
        const int hue = QColor(tinted.pixel(32, 0)).hslHue();
        const int chosen = QColor(toRgb(0x00A0FF)).hslHue();
        QVERIFY2(std::abs(hue - chosen) <= 3,
                 qPrintable(QString("%1, not %2").arg(hue).arg(chosen)));
    }

    void rainbowWalksThroughTheHues() {
        QImage image(400, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QVector<QPointF> path;
        for (int x = 10; x <= 390; x += 5)
            path << QPointF(x, 30);
        image = painted(image, Magic::Rainbow, 1, path, 0, 8);
        QSet<int> hues;
        for (int x = 10; x < 390; ++x)
            hues << QColor(image.pixel(x, 30)).hsvHue() / 30; // twelve bands of 30 degrees
        QVERIFY2(hues.size() >= 6, qPrintable(QString::number(hues.size())));
    }

    // Painted back and forth, the effects that work once a stroke change a
    // pixel once: the negative does not turn back, the lighten does not go
    // on to white.
    void onceAStrokeEffectsChangeEachPixelOnce() {
        const QImage start = busyPicture(QSize(80, 40));
        const QVector<QPointF> backAndForth = {QPointF(20, 20), QPointF(60, 20), QPointF(20, 20),
                                               QPointF(60, 20)};
        const QImage negated = painted(start, Magic::Negative, 1, backAndForth);
        QCOMPARE(negated.pixel(40, 20), start.pixel(40, 20) ^ 0x00FFFFFFu);
        const QImage lighter = painted(start, Magic::Lighten, 1, backAndForth);
        const QRgb p = start.pixel(40, 20);
        QCOMPARE(qRed(lighter.pixel(40, 20)), qRed(p) + (255 - qRed(p)) / 4);
    }

    void theSameSeedGivesTheSamePixels() {
        QImage white(120, 60, QImage::Format_RGB32);
        white.fill(Qt::white);
        for (Magic effect : {Magic::Grass, Magic::Chalk, Magic::Sparkles}) {
            const QImage once = painted(white, effect, 7, across);
            QVERIFY(once != white);
            QCOMPARE(painted(white, effect, 7, across), once);
            QVERIFY2(painted(white, effect, 8, across) != once, "another seed, the same look");
        }
    }

    void bricksAndMosaicFollowAFixedGrid() {
        QImage white(120, 60, QImage::Format_RGB32);
        white.fill(Qt::white);
        const QImage wall = painted(white, Magic::Bricks, 1, across, 0x2020B0, 20);
        // The mortar runs along every twelfth row, wherever the stroke went,
        // and between the bricks, half a brick along from one row to the next.
        const QRgb mortar = qRgb(0xD8, 0xD8, 0xD8);
        QCOMPARE(wall.pixel(60, 36), mortar);
        QVERIFY(wall.pixel(65, 40) != mortar);
        QCOMPARE(wall.pixel(48, 30), mortar);
        QVERIFY(wall.pixel(60, 30) != mortar);
        QCOMPARE(wall.pixel(60, 40), mortar);
        const QImage squares = painted(busyPicture(QSize(120, 60)), Magic::Mosaic, 1, across);
        // Radius 12: squares of 4 pixels from the picture's corner.
        for (int y = 28; y < 32; ++y)
            for (int x = 60; x < 64; ++x)
                QCOMPARE(squares.pixel(x, y), squares.pixel(60, 28));
    }

    // The four copies are mirror images across the middle lines, on a
    // canvas of odd and of even size, and each is a part of its own for the
    // screen, none larger than its copy.
    void kaleidoscopeCopiesAreMirrorImages() {
        for (const QSize size : {QSize(101, 51), QSize(100, 60)}) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::white);
            MagicStroke stroke(Magic::Kaleidoscope, 2, 0x0000FF, 1);
            QRect first;
            for (QPointF p : {QPointF(5, 4), QPointF(17.5, 9.5), QPointF(30, 20)}) {
                stroke.paintTo(image, p);
                QCOMPARE(stroke.changedParts().size(), size_t(4));
                first |= stroke.changedParts()[0];
                for (const QRect &part : stroke.changedParts())
                    QVERIFY(part.width() <= 30 && part.height() <= 30);
            }
            QCOMPARE(image.pixel(17, 9), qRgb(255, 0, 0));
            QCOMPARE(image, image.mirrored(true, false));
            QCOMPARE(image, image.mirrored(false, true));
            QVERIFY(QRect(0, 0, size.width() / 2, size.height() / 2).contains(first));
        }
    }

    // On a canvas of two pixels to the design's, the patterns are twice as
    // large: the wall's mortar runs along every 24th row, twice as thick.
    void patternsGrowWithTheCanvas() {
        QImage white(240, 120, QImage::Format_RGB32);
        white.fill(Qt::white);
        MagicStroke stroke(Magic::Bricks, 40, 0x2020B0, 1, 2);
        QImage wall = white;
        for (QPointF p : {QPointF(20, 60), QPointF(220, 60)})
            stroke.paintTo(wall, p);
        const QRgb mortar = qRgb(0xD8, 0xD8, 0xD8);
        QCOMPARE(wall.pixel(100, 72), mortar);
        QCOMPARE(wall.pixel(100, 75), mortar); // four rows thick
        QVERIFY(wall.pixel(100, 76) != mortar);
        QVERIFY(wall.pixel(100, 84) != mortar);
        QCOMPARE(wall.pixel(100, 96), mortar);
    }

    // Strokes that start and end outside the picture, through its corners,
    // write only inside it (the sanitizers watch the memory) and say so.
    void everyEffectStaysInsideThePicture() {
        const QVector<QPointF> throughCorners = {QPointF(-30, -30), QPointF(70, 50),
                                                 QPointF(150, -20), QPointF(-10, 90)};
        // At every screen's canvas scale, the patterns' sizes with it.
        for (double unit : {1.0, 1.25, 2.0, 3.0})
            for (Magic effect : paintedEffects()) {
                QImage image = busyPicture(QSize(120, 60));
                MagicStroke stroke(effect, 40, 0xFF00FF, 3, unit);
                for (QPointF p : throughCorners) {
                    const QRect changed = stroke.paintTo(image, p);
                    QVERIFY(image.rect().contains(changed) || changed.isEmpty());
                    for (const QRect &part : stroke.changedParts())
                        QVERIFY(image.rect().contains(part));
                }
                QCOMPARE(image.size(), QSize(120, 60));
            }
        // A canvas that grows under a stroke (the window made larger).
        for (Magic effect : paintedEffects()) {
            QImage image = busyPicture(QSize(60, 30));
            MagicStroke stroke(effect, 8, 0xFF00FF, 3);
            stroke.paintTo(image, QPointF(10, 10));
            image = busyPicture(QSize(200, 120));
            QVERIFY(image.rect().contains(stroke.paintTo(image, QPointF(190, 110))));
        }
    }
};

QTEST_GUILESS_MAIN(TestMagic)
#include "test_magic.moc"
