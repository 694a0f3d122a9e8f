// The main window driven through its handlers, controls and keys: start-up,
// pens and colours, scenes and undo, choices shown on the buttons, the
// folder, print and clipboard, the text tool, the keyboard, fingers and pens.

#include "core/canvas/colourpictures.h"
#include "gifwriter.h"
#include "testutil.h"
#include "ui/widgets/uiutil.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPointingDevice>
#include <QPushButton>
#include <QTabletEvent>
#include <QtTest>

using namespace garabix;
using test::colourAt;
using test::countColour;

namespace {

constexpr ColourWord red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000;

// A main window over a folder with `scenes` one-colour scenes: red, green, blue.
struct Window : test::LoadedMainWindow {
    explicit Window(int scenes = 3, const QByteArray &limit = "500\n")
        : LoadedMainWindow([=](test::ProgramFolder &f) {
              f.writeDefaultConfiguration();
              f.write("configuracion/mdg.txt", limit);
              QDir(f.path()).mkpath("escenarios");
              const ColourWord colours[3] = {red, green, blue};
              for (int n = 1; n <= scenes; ++n) {
                  QImage scene(32, 18, QImage::Format_RGB32);
                  scene.fill(toRgb(colours[(n - 1) % 3]));
                  gif::writeGif(f.path() + QStringLiteral("/escenarios/%1.gif").arg(n), {scene});
              }
          }) {}
    ColourWord corner() const { return colourAt(persistent(), 5, 5); }
    QString drawings() const { return folder.path() + "/misdibujos/"; }
    // Pixels of `colour` in the column x between rows y0 and y1.
    int thickness(int x, int y0, int y1, ColourWord colour = black) const {
        return countColour(persistent(), colour, QRect(x, y0, 1, y1 - y0));
    }
    void shown() {
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpReadsTheProgramFolder() {
        test::LoadedMainWindow w([](test::ProgramFolder &f) {
            f.writeDefaultConfiguration();
            f.write("configuracion/idioma.txt", "<b>negrita</b>\n" + QByteArray(29 * 2, 'x'));
            f.writeStamp("dibujos/b/uno.gif");
            f.writeStamp("dibujos/a/dos.gif", 30);
            f.write("MisDibujos/0.bmp", "x");
            f.write("MisDibujos/notas.txt", "x");
        });
        QCOMPARE(w.form->drawingFolder().maxDrawings, int16_t(500));
        QCOMPARE(w.form->drawingFolder().drawingCount, int16_t(2)); // whatever their name
        // Texts from the language file are never markup.
        QVERIFY(w.control(test::buttonName(ToolbarButton::PreviousScene))
                    ->toolTip()
                    .contains("&lt;b&gt;negrita&lt;/b&gt;"));
        // A screen reader names each button by its tip, as the file says it.
        QCOMPARE(w.control(test::buttonName(ToolbarButton::PreviousScene))->accessibleName(),
                 QString("<b>negrita</b>"));
        // The first stamp of the first category in name order.
        QCOMPARE(w.form->stampFile(), w.folder.path() + "/dibujos/a/dos.gif");
        QCOMPARE(w.control(widgetname::penButton(9))->geometry().bottom(), 599); // wholly inside
    }

    void penSizesColoursAndFills() {
        Window w;
        // The ten pens draw lines of these thicknesses, in canvas pixels.
        const int thicknesses[10] = {1, 2, 3, 4, 5, 6, 7, 10, 14, 19};
        for (int i = 0; i < 10; ++i) {
            w.form->choosePen(i);
            w.drag(QPointF(100, 20 + 50 * i), QPointF(400, 20 + 50 * i));
            QCOMPARE(w.thickness(250, 50 * i, 50 * i + 40), thicknesses[i]);
        }
        const int thinner = thicknesses[9];
        // After a spray the pencil draws with the pen chosen before it.
        w.form->runToolbarButton(ToolbarButton::DiagonalSpray);
        w.drag(QPointF(600, 300), QPointF(620, 300));
        w.form->runToolbarButton(ToolbarButton::Pencil);
        w.form->runToolbarButton(ToolbarButton::NewDrawing);
        // A press in the grey beside and above a swatch picks that swatch.
        const QRect swatch = colourpictures::paletteSwatch(2);
        w.form->palettePressed(Qt::LeftButton, swatch.right() + 2, 0);
        const ColourWord picked = colourpictures::paletteColour(2);
        w.drag(QPointF(100, 100), QPointF(200, 100));
        QCOMPARE(w.thickness(150, 50, 150, picked), thinner);
        QCOMPARE(widgetColour(w.control(widgetname::colourWell)), long(picked));
        w.form->runToolbarButton(ToolbarButton::Fill);
        w.click(QPointF(300, 300));
        QCOMPARE(colourAt(w.persistent(), 10, 10), picked);
        w.form->runToolbarButton(ToolbarButton::MoreColours);
        QVERIFY(!w.control(widgetname::colourChart)->isHidden());
        w.form->colourChartPressed(Qt::LeftButton, 40, 900); // the panel below the chart
        w.click(QPointF(300, 300));
        QCOMPARE(colourAt(w.persistent(), 10, 10), white);
    }

    void scenesWrapBothWaysAndAMissingOneRepeatsTheLast() {
        Window w;
        QVector<ColourWord> shown;
        for (int i = 0; i < 6; ++i) {
            w.form->runToolbarButton(i < 4 ? ToolbarButton::NextScene
                                           : ToolbarButton::PreviousScene);
            shown << w.corner();
        }
        QCOMPARE(shown, (QVector<ColourWord>{red, green, blue, red, blue, green}));
        const QSize s = w.persistent().size();
        QCOMPARE(colourAt(w.persistent(), s.width() - 1, s.height() - 1), green); // stretched
        // A scene gone from the folder: the last one loaded is painted again.
        QFile::remove(w.folder.path() + "/escenarios/1.gif");
        w.form->runToolbarButton(ToolbarButton::PreviousScene);
        QCOMPARE(w.corner(), green);
    }

    // Real clicks: the chosen tool, pen size and line mode, and bold when on,
    // wear a frame, seen on the buttons as drawn; a real drag draws.
    void realClicksChooseAndShowTheirChoice() {
        Window w;
        w.shown();
        auto framed = [&](const QString &name) {
            const QImage face = w.control(name)->grab().toImage();
            return face.pixel(1, face.height() / 2) == qRgb(0x00, 0x30, 0xA0);
        };
        using test::buttonName;
        const QString first[] = {buttonName(ToolbarButton::Pencil), widgetname::penButton(0),
                                 buttonName(ToolbarButton::FreeLines)};
        const QString later[] = {buttonName(ToolbarButton::Rectangle), widgetname::penButton(9),
                                 buttonName(ToolbarButton::GridSnapLines),
                                 widgetname::styleButton(0)};
        for (int round = 0; round < 2; ++round) {
            for (const QString &name : first)
                QVERIFY2(framed(name) == (round == 0), qPrintable(name));
            for (const QString &name : later) {
                QVERIFY2(framed(name) == (round == 1), qPrintable(name));
                QTest::mouseClick(w.control(name), Qt::LeftButton);
            }
        }
        const QImage bold = w.control(widgetname::styleButton(0))->grab().toImage();
        QVERIFY(qGray(bold.pixel(6, bold.height() / 2)) > 160); // a light face behind the letter
        QWidget *canvas = w.control(widgetname::canvas);
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(40, 40));
        QMouseEvent move(QEvent::MouseMove, QPointF(140, 90), canvas->mapToGlobal(QPointF(140, 90)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(140, 90));
        QCOMPARE(fromRgb(canvas->grab().toImage().pixel(90, 40)), black);
    }

    void folderPrintAndClipboardReachTheDesktop() {
        Window w;
        w.form->runToolbarButton(ToolbarButton::OpenFolder);
        QCOMPARE(w.platform.folders, QStringList{w.folder.path() + "/misdibujos"});
        w.drag(QPointF(10, 10), QPointF(100, 10));
        w.form->runToolbarButton(ToolbarButton::Print);
        w.form->runToolbarButton(ToolbarButton::Copy);
        QCOMPARE(w.platform.printed.value(0), w.persistent());
        QCOMPARE(w.platform.clipboard.value(0), w.persistent());
        QVERIFY(w.platform.notices.isEmpty()); // it went: nothing to say
        // What did not go is said: no printer, a refused job, no file browser.
        for (auto outcome : {Platform::Printed::NoPrinter, Platform::Printed::Refused}) {
            w.platform.printing = outcome;
            w.form->runToolbarButton(ToolbarButton::Print);
        }
        w.platform.folderBrowser = false;
        w.form->runToolbarButton(ToolbarButton::OpenFolder);
        QCOMPARE(w.platform.problems, (QVector<bool>{true, true, true}));
        QVERIFY(w.platform.notices[0].contains("ninguna impresora"));
        QVERIFY(w.platform.notices[1].contains("no ha aceptado"));
        QVERIFY(w.platform.notices[2].endsWith(w.folder.path() + "/misdibujos"));
    }

    void textToolPreviewListsCommitAndCerrar() {
        Window w;
        w.shown();
        auto *text = w.control<QLineEdit>(widgetname::textEdit);
        auto previewShown = [&] { return w.form->screenImage() != w.persistent(); };
        text->setText(QStringLiteral("viejo"));
        w.form->runToolbarButton(ToolbarButton::Text);
        QCOMPARE(text->text(), QString());
        QCOMPARE(w.control(widgetname::textPanel)->geometry().bottomRight(), QPoint(799, 599));
        w.form->canvasMoved(Qt::NoButton, 100, 100); // the placeholder follows
        QVERIFY(countColour(w.form->screenImage(), black, QRect(95, 95, 200, 60)) > 20);
        QEvent leave(QEvent::Leave); // and leaves with the pointer
        QApplication::sendEvent(w.control(widgetname::canvas), &leave);
        QVERIFY(!previewShown());
        w.click(QPointF(100, 100));
        QCOMPARE(countColour(w.persistent(), black), 0); // an empty text prints nothing
        for (int i = 0; i < 2; ++i)
            w.form->toggleTextStyle(i); // the first press turns it on
        QVERIFY(w.form->textTool().font().bold() && w.form->textTool().font().italic() &&
                text->font().bold());
        // The lists open on the value in use; what is typed is used, never
        // added; after a pick the keyboard goes back to the text box.
        auto *sizes = w.control<QComboBox>(widgetname::textSizeBox);
        QCOMPARE(sizes->itemText(sizes->currentIndex()), QString("18"));
        sizes->setFocus();
        for (const char *size : {"7", "73", "31"}) { // 8 to 72 only
            sizes->lineEdit()->setText(size);
            QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
        }
        QCOMPARE(text->font().pointSizeF(), 31.0);
        QCOMPARE(sizes->count(), 19);
        QTRY_COMPARE(QApplication::focusWidget(), text);
        QTest::keyClicks(text, "Hola");
        text->insert(QStringLiteral(" ñandú 🌈"));
        QVERIFY(!previewShown()); // the change repainted
        sizes->setCurrentIndex(sizes->findText("28"));
        emit sizes->activated(sizes->currentIndex());
        QCOMPARE(sizes->currentText(), QString("28"));
        w.control<QComboBox>(widgetname::fontBox)->setEditText("DejaVu Serif");
        w.form->chooseFont();
        QCOMPARE(w.form->textTool().font().family(), QStringLiteral("DejaVu Serif"));
        w.click(QPointF(100, 300));
        QVERIFY(countColour(w.persistent(), black, QRect(95, 295, 600, 120)) > 20);
        // Cerrar: the pencil is back, and the preview does not come back.
        QTest::mouseClick(w.control(widgetname::closeTextButton), Qt::LeftButton);
        QCOMPARE(w.state().currentTool, Tool::Pencil);
        w.form->canvasMoved(Qt::NoButton, 200, 200);
        QVERIFY(!previewShown());
    }

    void keysUndoRedoSaveAndFullScreen() {
        Window w;
        w.shown();
        QVector<QImage> steps;
        for (int k = 0; k < 3; ++k) {
            w.drag(QPointF(10, 10 + 20 * k), QPointF(200, 10 + 20 * k));
            steps << w.persistent().copy();
        }
        auto keys = [&](Qt::Key key, Qt::KeyboardModifiers with = Qt::ControlModifier) {
            QTest::keyClick(w.form.get(), key, with);
        };
        w.platform.sounds.clear();
        keys(Qt::Key_Z);
        keys(Qt::Key_Z);
        QCOMPARE(w.persistent(), steps[0]);
        QCOMPARE(w.platform.sounds, QStringList({"sonido3.wav", "sonido3.wav"}));
        keys(Qt::Key_Y);
        QCOMPARE(w.persistent(), steps[1]);
        keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.persistent(), steps[2]);
        keys(Qt::Key_S);
        QTRY_COMPARE(w.platform.notices, QStringList{"Guardado: 0.bmp"});
        // Full screen and back: the controls follow, the drawing stays whole.
        for (bool full : {true, false}) {
            keys(Qt::Key_F11, Qt::NoModifier);
            QTRY_COMPARE(w.form->isFullScreen(), full);
            QTRY_COMPARE(w.control(widgetname::penButton(0))->geometry().bottom(),
                         w.form->height() - 1);
            QCOMPARE(w.persistent().copy(steps[2].rect()), steps[2]);
        }
    }

    // Fingers and pens: one finger draws as the left button does and a tap
    // leaves a dot, a second finger or a resting palm adds nothing, the
    // palette takes a tap, and a pen draws as the mouse does.
    void aFingerDrawsAndASecondOneAddsNothing() {
        test::LoadedMainWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QPointingDevice *screen = QTest::createTouchDevice();
        QWidget *canvas = w.control(widgetname::canvas);
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
        w.form->choosePen(9);
        QTest::touchEvent(canvas, screen).press(0, QPoint(400, 400));
        QTest::touchEvent(canvas, screen).release(0, QPoint(400, 400));
        QVERIFY(countColour(w.persistent(), black, QRect(390, 390, 21, 21)) > 200);

        // The palette takes a tap.
        QWidget *palette = w.control(widgetname::paletteStrip);
        const QPoint swatch = colourpictures::paletteSwatch(2).center();
        QTest::touchEvent(palette, screen).press(0, swatch);
        QTest::touchEvent(palette, screen).release(0, swatch);
        QCOMPARE(widgetColour(w.control(widgetname::colourWell)),
                 long(colourpictures::paletteColour(2)));
    }

    void aPenDrawsAsTheMouseDoes() {
        test::LoadedMainWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QWidget *canvas = w.control(widgetname::canvas);
        const QPointingDevice *pen = QPointingDevice::primaryPointingDevice();
        auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
            const Qt::MouseButton button =
                type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton;
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

    // A pointer faster than the screen repaints the canvas at most once a
    // frame (16 ms), and the last of its changes still reaches the screen.
    void aFastPointerRepaintsOnceAFrame() {
        test::LoadedMainWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QWidget *canvas = w.control(widgetname::canvas);
        struct Paints : QObject {
            int count = 0;
            QRegion shown;
            bool eventFilter(QObject *, QEvent *e) override {
                if (e->type() == QEvent::Paint) {
                    ++count;
                    shown += static_cast<QPaintEvent *>(e)->region();
                }
                return false;
            }
        } paints;
        QCoreApplication::processEvents();
        canvas->installEventFilter(&paints);
        QElapsedTimer took;
        took.start();
        w.form->canvasMoved(Qt::NoButton, 20, 40);
        w.form->canvasPressed(Qt::LeftButton, 20, 40);
        for (int x = 21; x <= 220; ++x) {
            w.form->canvasMoved(Qt::LeftButton, x, 40);
            QCoreApplication::processEvents(); // as if each move came on its own
        }
        w.form->canvasReleased(Qt::LeftButton, 220, 40);
        const qint64 frames = took.elapsed() / 16;
        QTRY_VERIFY(paints.shown.contains(QPoint(219, 40)));
        QVERIFY2(paints.count <= frames + 2,
                 qPrintable(QString("%1 paints in %2 frames").arg(paints.count).arg(frames)));
        QCOMPARE(countColour(w.persistent(), black, QRect(20, 40, 201, 1)), 201);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
