// Fingers and pens on the real windows: one finger draws as the left button
// does and a tap leaves a dot, a second finger or a resting palm adds
// nothing, the palette takes a tap, and a pen draws as the mouse does.

#include "core/canvas/colourpictures.h"
#include "testutil.h"
#include "ui/common/uiutil.h"

#include <QPointingDevice>
#include <QTabletEvent>
#include <QtTest>

using namespace garabix;
using test::colourAt;
using test::countColour;

class TestTouch : public QObject {
    Q_OBJECT
private slots:
    void aFingerDrawsAndASecondOneAddsNothing() {
        test::MainWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QPointingDevice *screen = QTest::createTouchDevice();
        QWidget *canvas = w.control("Picture1");
        QTest::touchEvent(canvas, screen).press(0, QPoint(50, 50));
        QTest::touchEvent(canvas, screen).move(0, QPoint(150, 50));
        // A palm comes down and slides while the finger still draws.
        QTest::touchEvent(canvas, screen).move(0, QPoint(250, 50)).press(1, QPoint(250, 300));
        QTest::touchEvent(canvas, screen).stationary(0).move(1, QPoint(50, 300));
        QTest::touchEvent(canvas, screen).release(0, QPoint(250, 50)).stationary(1);
        QTest::touchEvent(canvas, screen).release(1, QPoint(50, 300));
        QCOMPARE(w.form->drawingDocument().undoDepth(), 1); // one stroke, one step
        QCOMPARE(countColour(w.persistent(), black, QRect(50, 50, 201, 1)), 201);
        QCOMPARE(countColour(w.persistent(), black, QRect(0, 250, 400, 100)), 0);

        // A tap with the thickest pen leaves its dot.
        w.form->Command5_Click(9);
        QTest::touchEvent(canvas, screen).press(0, QPoint(400, 400));
        QTest::touchEvent(canvas, screen).release(0, QPoint(400, 400));
        QVERIFY(countColour(w.persistent(), black, QRect(390, 390, 21, 21)) > 200);

        // The palette takes a tap.
        QWidget *palette = w.control("picPalette");
        const QPoint swatch = colourpictures::paletteSwatch(2).center();
        QTest::touchEvent(palette, screen).press(0, swatch);
        QTest::touchEvent(palette, screen).release(0, swatch);
        QCOMPARE(widgetColour(w.control("Picture3")), long(colourpictures::paletteColour(2)));
    }

    void aPenDrawsAsTheMouseDoes() {
        test::MainWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QWidget *canvas = w.control("Picture1");
        const QPointingDevice *pen = QPointingDevice::primaryPointingDevice();
        auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
            const Qt::MouseButton button = type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton;
            QTabletEvent event(type, pen, at, canvas->mapToGlobal(at), 0.5, 0, 0, 0, 0, 0, {},
                               button, held);
            QApplication::sendEvent(canvas, &event);
        };
        send(QEvent::TabletPress, QPointF(60, 120), Qt::LeftButton);
        send(QEvent::TabletMove, QPointF(160, 120), Qt::LeftButton);
        send(QEvent::TabletRelease, QPointF(160, 120), Qt::NoButton);
        QCOMPARE(countColour(w.persistent(), black, QRect(60, 120, 101, 1)), 101);
        QCOMPARE(colourAt(w.persistent(), 110, 140), white);
    }
};

QTEST_MAIN(TestTouch)
#include "test_touch.moc"
