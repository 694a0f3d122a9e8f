// Form1 driven through its handlers and through real mouse events: the tool
// bar's click protocol, pen sizes, colour picks and the commands.

#include "core/canvas/colourpictures.h"
#include "testutil.h"
#include "ui/app/canvaswidget.h"
#include "ui/app/form1.h"
#include "ui/app/picturebox.h"
#include "ui/app/uiutil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace garabix;
using test::colourAt;
using test::countColour;

namespace {

using Window = test::MainWindow;

} // namespace

class TestToolbar : public QObject {
    Q_OBJECT
private slots:
    void clickProtocolForEveryButton() {
        Window w;
        const QSet<int> tools = {2, 4, 5, 6, 7, 15, 16, 17, 18, 23};
        const QSet<int> hiding = {0, 1, 4, 5, 6};
        uint8_t tool = w.form->state.currentTool;
        for (int i = 0; i < 27; ++i) {
            w.platform.sounds.clear();
            w.form->Picture2->show();
            w.form->Command1_Click(i);
            tool = tools.contains(i) ? uint8_t(i) : tool; // commands leave the tool alone
            QCOMPARE(w.form->state.currentTool, tool);
            QCOMPARE(w.platform.sounds, QStringList{"sonido3.wav"});
            QCOMPARE(int(w.form->state.lastButton), i);
            QCOMPARE(w.form->Picture2->isHidden(), hiding.contains(i));
        }
    }

    void sprayPenWidthBookkeeping() {
        Window w;
        w.form->Command5_Click(5); // width 6
        w.form->Command1_Click(17);
        QCOMPARE(w.form->state.lineWidth, 6.0);
        QCOMPARE(w.form->canvas.penWidth(), 6);
        w.drag(QPointF(300, 300), QPointF(320, 300));
        QCOMPARE(w.form->canvas.penWidth(), 1);
        w.form->Command1_Click(18); // step 2 puts 6 back before it is stored
        QCOMPARE(w.form->state.lineWidth, 6.0);
        w.drag(QPointF(300, 300), QPointF(320, 300));
        w.form->Command1_Click(4);
        QCOMPARE(w.form->canvas.penWidth(), 6);
        // Selecting a spray records a snapshot.
        const double before = w.form->state.undoIndex;
        w.form->Command1_Click(17);
        QCOMPARE(w.form->state.undoIndex, before + 1);
    }

    void penSizes() {
        Window w;
        const int widths[10] = {1, 2, 3, 4, 5, 6, 7, 10, 14, 19};
        const int radii[10] = {5, 10, 20, 30, 40, 50, 60, 70, 80, 100};
        w.form->Command1_Click(23);
        for (int i = 0; i < 10; ++i) {
            w.platform.sounds.clear();
            w.form->Command5_Click(i);
            QCOMPARE(w.form->canvas.penWidth(), widths[i]);
            QCOMPARE(w.form->state.lineWidth, double(widths[i]));
            QCOMPARE(int(w.form->state.sprayRadius), radii[i]);
            QCOMPARE(w.platform.sounds, QStringList{"sonido4.wav"});
        }
        QCOMPARE(int(w.form->state.currentTool), 23);
        QCOMPARE(int(w.form->state.lastButton), 23);
        QCOMPARE(w.form->canvas.font().pointSizeF(), 18.0);
    }

    void paletteSwatchesAndChartCells() {
        Window w;
        for (int i = 0; i < colourpictures::paletteSwatches; ++i) {
            const QPoint c = colourpictures::paletteSwatch(i).center();
            w.form->picPalette_MouseDown(i % 2 ? Qt::RightButton : Qt::LeftButton, c.x(), c.y());
            const ColourWord expected = colourpictures::paletteColour(i);
            QCOMPARE(currentColourOf(w), expected);
            QCOMPARE(w.form->canvas.fillColour(), expected);
            QCOMPARE(w.form->Picture2->surface.fillColour(), expected);
            QCOMPARE(widgetColour(w.form->Picture3), long(expected));
        }
        QCOMPARE(w.platform.sounds.count("sonido5.wav"), colourpictures::paletteSwatches);
        for (int r = 0; r < colourpictures::chartRows; ++r)
            for (int c = 0; c < colourpictures::chartColumns; ++c) {
                const QPoint p = colourpictures::chartCell(r, c).center();
                w.form->Picture5_MouseDown(Qt::MiddleButton, p.x(), p.y());
                QCOMPARE(currentColourOf(w), colourpictures::chartColour(r, c));
            }
        w.form->Picture5_MouseDown(Qt::LeftButton, 1, 1); // the white margin
        QCOMPARE(currentColourOf(w), white);
        w.form->picPalette_MouseDown(Qt::LeftButton, 1, 1); // the silver strip
        QCOMPARE(currentColourOf(w), ColourWord(0xC0C0C0));
    }

    void pickedColourDrawsAndFills() {
        Window w;
        const QPoint red = colourpictures::paletteSwatch(2).center();
        w.form->picPalette_MouseDown(Qt::LeftButton, red.x(), red.y());
        w.form->Command1_Click(4);
        w.drag(QPointF(100, 100), QPointF(200, 100));
        QCOMPARE(colourAt(w.persistent(), 150, 100), ColourWord(0x0000FF));
        w.form->Command1_Click(5);
        w.form->Picture1_MouseDown(Qt::LeftButton, 300, 300);
        w.form->Picture1_MouseUp(Qt::LeftButton, 300, 300);
        QCOMPARE(colourAt(w.persistent(), 10, 10), ColourWord(0x0000FF));
    }

    void beforeAnyPickPencilAndFillAreBlack() {
        Window w;
        w.form->Command1_Click(5);
        w.form->Picture1_MouseDown(Qt::LeftButton, 30, 30);
        QCOMPARE(colourAt(w.persistent(), 300, 300), black);
        QCOMPARE(w.form->Picture2->surface.fillColour(), white);
    }

    void undoButtonAndNewDrawing() {
        Window w;
        w.drag(QPointF(50, 50), QPointF(150, 50));
        const QImage drawn = w.persistent().copy();
        w.form->Command1_Click(9); // new drawing
        QCOMPARE(countColour(w.persistent(), white),
                 w.persistent().width() * w.persistent().height());
        w.form->Command1_Click(8);
        QCOMPARE(w.persistent(), drawn);
        w.form->Command1_Click(8);
        QCOMPARE(colourAt(w.persistent(), 100, 50), white);
    }

    void stampPreviewIsErasedByTheNextButton() {
        Window w;
        w.form->Command1_Click(2);
        w.form->canvas.box(QPointF(10, 10), QPointF(20, 20), black); // a transient mark
        QCOMPARE(colourAt(w.form->canvas.screenLayer(), 10, 15), black);
        w.form->Command1_Click(4);
        QCOMPARE(colourAt(w.form->canvas.screenLayer(), 10, 15), white);
    }

    void gridSnapPanelFolderPrintClipboard() {
        Window w;
        w.form->Command1_Click(19);
        QVERIFY(w.form->grid.linesVisible && !w.form->grid.dotsVisible);
        w.form->Command1_Click(20);
        QVERIFY(w.form->grid.dotsVisible);
        w.form->Command1_Click(19);
        QVERIFY(!w.form->grid.linesVisible && w.form->grid.dotsVisible);
        w.form->Command1_Click(22);
        QVERIFY(w.form->state.snapToGrid);
        w.form->Command1_Click(21);
        QVERIFY(!w.form->state.snapToGrid);
        w.form->Command1_Click(24);
        QVERIFY(!w.form->Picture5->isHidden());
        w.form->Command1_Click(24);
        QVERIFY(w.form->Picture5->isHidden());
        w.form->Command1_Click(25);
        QCOMPARE(w.platform.folders, QStringList{w.folder.path() + "/misdibujos"});
        w.drag(QPointF(10, 10), QPointF(100, 10));
        w.form->canvas.box(QPointF(200, 200), QPointF(250, 250), black); // transient: not copied
        w.form->Command1_Click(26);
        w.form->Command1_Click(10);
        QCOMPARE(w.platform.printed.size(), 1);
        QCOMPARE(w.platform.printed[0], w.persistent());
        QCOMPARE(w.platform.printSizes[0], QSizeF(10185 / 1440.0, 8235 / 1440.0));
        QCOMPARE(w.platform.clipboard.size(), 1);
        QCOMPARE(colourAt(w.platform.clipboard[0], 50, 10), black);
        QCOMPARE(colourAt(w.platform.clipboard[0], 200, 220), white);
    }

    void quitAsksFirst() {
        Window w;
        w.platform.answer = false;
        w.form->Command1_Click(27);
        QCOMPARE(w.platform.questions, QStringList{"t28"});
        QCOMPARE(w.platform.quits, 0);
        QCOMPARE(int(w.form->state.lastButton), 27);
        w.form->Command1_Click(4);
        w.platform.answer = true;
        w.form->Command1_Click(27);
        QCOMPARE(w.platform.quits, 1);
        QCOMPARE(int(w.form->state.lastButton), 4); // the protocol stops there
    }

    void realMouseEventsDraw() {
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QTest::mouseClick(w.form->Command1[6], Qt::LeftButton);
        QCOMPARE(int(w.form->state.currentTool), 6);
        QWidget *canvas = w.form->Picture1;
        QTest::mouseMove(canvas, QPoint(40, 40));
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(40, 40));
        QMouseEvent move(QEvent::MouseMove, QPointF(140, 90), canvas->mapToGlobal(QPointF(140, 90)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(140, 90));
        QCOMPARE(colourAt(w.persistent(), 90, 40), black);
        QCOMPARE(colourAt(w.persistent(), 140, 60), black);
        QVERIFY(w.form->state.drawingModified);
        QCOMPARE(w.form->state.undoIndex, 1.0);
        // The canvas shows what its screen layer holds.
        const QImage shown = canvas->grab().toImage();
        QCOMPARE(fromRgb(shown.pixel(90, 40)), black);
    }

private:
    static ColourWord currentColourOf(const Window &w) {
        const DrawingState &s = w.form->state;
        return colourWord(int(s.colorRed), int(s.colorGreen), s.colorBlue);
    }
};

QTEST_MAIN(TestToolbar)
#include "test_toolbar.moc"
