// The window at the edges of its settings and of its timing: the print
// interval at its ends, a save that runs while the child draws on, the
// session ending meanwhile, the switch's own key, and the palette picked at
// every controls size.

#include "core/canvas/colourpictures.h"
#include "core/canvas/tools.h"
#include "testutil.h"
#include "ui/access/access.h"
#include "ui/document/printer.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QSet>
#include <QTest>

using namespace garabix;

class TestEdges : public QObject {
    Q_OBJECT
private slots:
    // The interval is in seconds: a press a second later, or a moment before
    // the interval is up, does nothing; one at the interval prints; with
    // none every press prints. The longest interval the settings take, a
    // day, holds to the millisecond too.
    void printsAreSpacedBySeconds_data() {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QVector<qint64>>("presses");
        QTest::addColumn<int>("printed");
        QTest::newRow("none") << 0 << QVector<qint64>{0, 0, 1} << 3;
        QTest::newRow("a minute") << 60 << QVector<qint64>{0, 1000, 59999, 60000, 60001} << 2;
        QTest::newRow("a day") << 86400 << QVector<qint64>{0, 86399999, 86400000} << 2;
    }
    void printsAreSpacedBySeconds() {
        QFETCH(int, interval);
        QFETCH(QVector<qint64>, presses);
        QFETCH(int, printed);
        test::RecordingPlatform platform;
        QWidget window;
        const QStringList texts;
        CanvasPrinter printer(&window, platform, texts);
        qint64 now = 0;
        printer.setClock([&now] { return now; });
        int made = 0; // pictures made: only for the prints that go out
        for (qint64 at : presses) {
            now = at;
            printer.print(
                [&made] {
                    ++made;
                    return QImage(8, 8, QImage::Format_RGB32);
                },
                interval);
        }
        QCOMPARE(platform.printed.size(), printed);
        QCOMPARE(made, printed);
    }

    // A save takes the picture of its press: strokes drawn while it runs stay
    // to be saved, and the note names the file written.
    void aSaveMarksSavedOnlyThePictureItTook() {
        test::LoadedMainWindow w;
        w.drag(QPointF(10, 10), QPointF(300, 200));
        const QImage pressed = w.persistent().copy();
        w.form->runToolbarButton(ToolbarButton::Save);
        QVERIFY(w.form->isSaving());
        w.drag(QPointF(10, 200), QPointF(300, 10));
        QVERIFY(w.settle());
        QCOMPARE(w.platform.notices.value(0), QString("Guardado: 0.bmp"));
        QVERIFY(w.form->drawingDocument().needsSaving());
        QCOMPARE(QImage(w.drawings() + "0.bmp").convertToFormat(QImage::Format_RGB32),
                 pressed.convertToFormat(QImage::Format_RGB32));
        // Saved again, the second stroke makes a second drawing.
        QCOMPARE(w.save(), QString("Guardado: 1.bmp"));
        QVERIFY(!w.form->drawingDocument().needsSaving());
    }

    // The session's end during a save waits for it, then saves what the
    // canvas holds by then: the strokes after the press are never lost.
    void theSessionsEndDuringASaveKeepsTheLaterStrokes() {
        test::LoadedMainWindow w;
        w.drag(QPointF(10, 10), QPointF(300, 200));
        w.form->runToolbarButton(ToolbarButton::Save);
        w.drag(QPointF(10, 200), QPointF(300, 10));
        const QImage last = w.persistent().convertToFormat(QImage::Format_RGB32);
        bool ended = false;
        w.form->saveForSessionEnd([&ended] { ended = true; });
        QVERIFY(!ended);
        QTRY_VERIFY_WITH_TIMEOUT(ended, 30000);
        QCOMPARE(QDir(w.drawings()).entryList({"*.bmp"}), (QStringList{"0.bmp", "1.bmp"}));
        QCOMPARE(QImage(w.drawings() + "1.bmp").convertToFormat(QImage::Format_RGB32), last);
        QVERIFY(!w.form->drawingDocument().needsSaving());
    }

    // Ctrl+E's note names the file the copy went to, on the main window.
    void theCopyNoteNamesTheFile() {
        QTemporaryDir home;
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        test::LoadedMainWindow w;
        w.drag(QPointF(10, 10), QPointF(300, 200));
        w.form->copyToPictures();
        qputenv("HOME", realHome);
        const QStringList copies = QDir(home.filePath("Pictures")).entryList({"garabix-*.png"});
        QCOMPARE(copies.size(), 1);
        QCOMPARE(w.platform.notices, QStringList{"Copiado a tus imágenes: " +
                                                 home.filePath("Pictures/") + copies.first()});
        QCOMPARE(w.platform.noticeWindows, (QVector<QWidget *>{w.form.get()}));
    }

    // With one switch, the key the school set chooses, Space when none is
    // set; another key that is none of the keyboard's leaves the highlight.
    void theSwitchIsTheKeyTheSchoolSet_data() {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("other");
        QTest::newRow("none set: Space") << 0 << int(Qt::Key_F1);
        QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::Key_X);
        QTest::newRow("X") << int(Qt::Key_X) << int(Qt::Key_F1);
    }
    void theSwitchIsTheKeyTheSchoolSet() {
        QFETCH(int, chosen);
        QFETCH(int, other);
        Settings oneSwitch;
        oneSwitch.switchScanning = true;
        oneSwitch.scanSeconds = 5; // the highlight stays while the keys go
        if (chosen)
            oneSwitch.switchKey = QKeyCombination(Qt::Key(chosen));
        test::LoadedMainWindow w({}, nullptr, oneSwitch);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const Access &scan = *w.form->access();
        // The highlight starts after one scan time.
        QTRY_VERIFY_WITH_TIMEOUT(scan.framedWidget(), 30000);
        QCOMPARE(scan.level(), Access::Level::Areas);
        test::pressKey(w.form.get(), other);
        QCOMPARE(scan.level(), Access::Level::Areas);
        test::pressKey(w.form.get(), chosen ? chosen : Qt::Key_Space);
        QCOMPARE(scan.level(), Access::Level::Targets);
    }

    // At every controls size a press on a swatch picks the colour the
    // child sees there, on the palette and on the chart.
    void eachControlsSizePicksTheSwatchShown_data() {
        QTest::addColumn<double>("size");
        QTest::newRow("normal") << 1.0;
        QTest::newRow("large") << 1.5;
        QTest::newRow("largest") << 2.0;
    }
    void eachControlsSizePicksTheSwatchShown() {
        QFETCH(double, size);
        Settings settings;
        settings.controlsSize = size;
        test::LoadedMainWindow w({}, nullptr, settings);
        w.form->resize(1600, 1000);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.form->runToolbarButton(ToolbarButton::MoreColours);
        int checked = 0;
        for (const char *name : {widgetname::paletteStrip, widgetname::colourChart}) {
            const bool palette = name == widgetname::paletteStrip;
            QSet<QRgb> swatches;
            for (ColourWord c :
                 palette ? colourpictures::paletteColours() : colourpictures::chartColours())
                swatches.insert(toRgb(c));
            // The strip's grey and the chart's white lie between swatches.
            swatches.remove(qRgb(192, 192, 192));
            swatches.remove(qRgb(255, 255, 255));
            QWidget *box = w.control(QString::fromLatin1(name));
            QVERIFY(box && box->isVisible());
            const QImage shown = box->grab().toImage();
            const double ratio = shown.width() / double(box->width());
            // A point inside each swatch: the middle of a run of one colour.
            for (int y = 2; y < box->height() - 2; y += 7) {
                for (int x = 2; x < box->width() - 2; x += 5) {
                    const QRgb seen = shown.pixel(int(x * ratio), int(y * ratio));
                    bool plain = true;
                    for (int dy = -2; dy <= 2; ++dy)
                        for (int dx = -2; dx <= 2; ++dx)
                            plain = plain && shown.pixel(int((x + dx) * ratio),
                                                         int((y + dy) * ratio)) == seen;
                    if (!plain || !swatches.contains(seen))
                        continue;
                    if (palette)
                        w.form->palettePressed(Qt::LeftButton, x, y);
                    else
                        w.form->colourChartPressed(Qt::LeftButton, x, y);
                    QCOMPARE(toRgb(currentColour(w.state())), seen);
                    ++checked;
                }
            }
        }
        QVERIFY2(checked > 100, qPrintable(QString::number(checked)));
    }
};

QTEST_MAIN(TestEdges)
#include "test_edges.moc"
