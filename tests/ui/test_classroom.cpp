// The settings a school or a family gives the window: a locked classroom,
// and click-to-draw for a child who cannot drag.

#include "testutil.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

using namespace garabix;

namespace {
// Whether the click-to-draw sign, an orange frame, is round the canvas.
bool signShown(QWidget *canvas) {
    const QImage shot = canvas->grab().toImage();
    return shot.pixelColor(2, shot.height() / 2) == QColor(0xff, 0x8c, 0x00);
}
} // namespace

class TestClassroom : public QObject {
    Q_OBJECT
private slots:
    // A school's locked settings: the quit button, the bin, printing and the
    // folder button are gone and closing the window does nothing; drawings go
    // to the pupil's own folder on the share, made when missing, up to the
    // limit; the texts are those of the language named.
    void aLockedClassroomWindow() {
        QTemporaryDir share;
        Settings locked;
        locked.quit = locked.deleteButton = locked.print = locked.folderButton = false;
        locked.drawingsFolder = share.path() + "/clase/ana";
        locked.drawingLimit = 1;
        locked.language = "english";
        test::LoadedMainWindow w(
            [](test::ProgramFolder &f) {
                f.writeDefaultConfiguration();
                f.write("configuracion/idiomas/english.txt",
                        test::readFile(test::shippedConfiguration("idiomas/english.txt")));
            },
            nullptr, locked);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        for (ToolbarButton gone : {ToolbarButton::Quit, ToolbarButton::DeleteDrawing,
                                   ToolbarButton::Print, ToolbarButton::OpenFolder}) {
            QVERIFY(w.control(test::buttonName(gone))->isHidden());
            w.form->runToolbarButton(gone);
        }
        QVERIFY(w.control(test::buttonName(ToolbarButton::Save))->isVisible());
        QVERIFY(!w.form->close());
        QVERIFY(w.form->isVisible());
        QVERIFY(w.platform.questions.isEmpty() && w.platform.printed.isEmpty() &&
                w.platform.folders.isEmpty());
        QCOMPARE(w.platform.quits, 0);

        const QStringList english =
            config::readLanguageFile(test::shippedConfiguration("idiomas/english.txt"));
        QVERIFY(english.size() > int(config::Text::LimitReached));
        w.drag(QPointF(10, 10), QPointF(100, 100));
        w.save();
        QCOMPARE(w.platform.notices.last(),
                 config::text(english, config::Text::Saved).arg("0.bmp"));
        QVERIFY(QFileInfo::exists(share.path() + "/clase/ana/0.bmp"));
        w.drag(QPointF(10, 100), QPointF(100, 10));
        w.save();
        // The note names the folder the drawings really go to and the school's
        // limit, and asks for a grown-up: the child has no bin.
        QCOMPARE(w.platform.notices.last(),
                 config::text(english, config::Text::LimitReachedAskGrownUp)
                     .arg(share.path() + "/clase/ana")
                     .arg(1));
        QVERIFY(w.platform.notices.last().contains("grown-up"));
        QCOMPARE(w.platform.noticeWindows.last(), w.form.get());

        // Locked down (no quitting, full screen), the window comes back when
        // the window manager minimises it; left free, it stays minimised.
        for (const bool fullScreen : {true, false}) {
            locked.fullScreen = fullScreen;
            test::LoadedMainWindow kept({}, nullptr, locked);
            kept.form->showFullScreen();
            QVERIFY(QTest::qWaitForWindowExposed(kept.form.get()));
            kept.form->showMinimized();
            if (fullScreen) {
                QTRY_VERIFY(!kept.form->isMinimized() && kept.form->isFullScreen());
                QVERIFY(kept.form->isVisible());
            } else {
                // The window would come back on the event loop's next turns.
                for (int turn = 0; turn < 3; ++turn)
                    QCoreApplication::processEvents();
                QVERIFY(kept.form->isMinimized());
            }
        }

        // Prints spaced out: a second press within the interval does nothing.
        Settings spaced;
        spaced.printInterval = 60;
        test::LoadedMainWindow printer({}, nullptr, spaced);
        printer.form->runToolbarButton(ToolbarButton::Print);
        printer.form->runToolbarButton(ToolbarButton::Print);
        QCOMPARE(printer.platform.printed.size(), 1);
    }

    // The tool bar closes up over the buttons a school turned off, at every
    // controls size: the small buttons fill the first cells of their grid in
    // order, and the larger ones follow straight under the last row.
    void theToolBarClosesUpOverHiddenButtons() {
        for (const double size : {1.0, 1.5, 2.0}) {
            Settings locked;
            locked.quit = locked.deleteButton = locked.print = locked.folderButton = false;
            locked.controlsSize = size;
            test::LoadedMainWindow w({}, nullptr, locked);
            w.form->resize(1280, 800);
            w.form->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
            QList<QRect> small, large;
            for (ToolbarButton b : allToolbarButtons()) {
                QWidget *button = w.control(test::buttonName(b));
                const bool larger =
                    b == ToolbarButton::NextDrawing || b == ToolbarButton::PreviousDrawing;
                if (button->isVisible())
                    (larger ? large : small).append(button->geometry());
            }
            QCOMPARE(small.size(), 22);
            QCOMPARE(large.size(), 2);
            const auto byRow = [](const QRect &a, const QRect &b) {
                return std::pair(a.top(), a.left()) < std::pair(b.top(), b.left());
            };
            std::sort(small.begin(), small.end(), byRow);
            QSet<int> lefts;
            for (const QRect &r : small)
                lefts.insert(r.left());
            const int columns = int(lefts.size());
            const int pitchX = small[1].left() - small[0].left();
            const int pitchY = small[columns].top() - small[0].top();
            for (int k = 0; k < small.size(); ++k) {
                const QPoint cell(small[0].left() + pitchX * (k % columns),
                                  small[0].top() + pitchY * (k / columns));
                QVERIFY2(
                    std::abs(small[k].left() - cell.x()) <= 1 &&
                        std::abs(small[k].top() - cell.y()) <= 1,
                    qPrintable(
                        QString("button %1 of %2 columns at %3").arg(k).arg(columns).arg(size)));
            }
            const int lastRow = small.last().bottom();
            for (const QRect &r : large)
                QVERIFY2(r.top() - lastRow <= pitchY - small[0].height() + 12 * size,
                         qPrintable(QString("a gap of %1 at %2").arg(r.top() - lastRow).arg(size)));
        }
    }

    // Click to draw: a click starts a stroke or a shape, the pointer draws as
    // if the button were held, the next click ends it: the same pixels as a
    // drag through the same points, one undo step, with a frame meanwhile.
    // A polyline closes with a click on its first point, no double click.
    void clickToDrawDrawsWhatADragDraws() {
        Settings clicking;
        clicking.clickToDraw = true;
        const QPoint a(60, 60), b(200, 120), c(320, 90);
        // A move with no button held, as the window system sends it.
        const auto hover = [](QWidget *w, QPoint p) {
            QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(w, &move);
        };
        for (ToolbarButton tool : {ToolbarButton::Pencil, ToolbarButton::Rectangle}) {
            test::LoadedMainWindow dragged, clicked({}, nullptr, clicking);
            for (test::LoadedMainWindow *w : {&dragged, &clicked}) {
                w->form->show();
                QVERIFY(QTest::qWaitForWindowExposed(w->form.get()));
                w->form->runToolbarButton(tool);
            }
            QWidget *canvas = dragged.control(widgetname::canvas);
            QTest::mouseMove(canvas, a);
            QTest::mousePress(canvas, Qt::LeftButton, {}, a);
            QTest::mouseMove(canvas, b);
            QTest::mouseMove(canvas, c);
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, c);
            canvas = clicked.control(widgetname::canvas);
            const QImage blank = clicked.persistent().copy();
            hover(canvas, a);
            QTest::mouseClick(canvas, Qt::LeftButton, {}, a);
            hover(canvas, b);
            QVERIFY(signShown(canvas));
            hover(canvas, c);
            QTest::mouseClick(canvas, Qt::LeftButton, {}, c);
            QCOMPARE(signShown(canvas), false); // the stroke is over
            QVERIFY(clicked.persistent() != blank);
            QCOMPARE(clicked.persistent(), dragged.persistent());
            clicked.form->runToolbarButton(ToolbarButton::Undo);
            QCOMPARE(clicked.persistent(), blank);
        }
        test::LoadedMainWindow poly({}, nullptr, clicking);
        poly.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(poly.form.get()));
        poly.form->runToolbarButton(ToolbarButton::Polyline);
        QWidget *canvas = poly.control(widgetname::canvas);
        // The polyline in progress wears the sign as a stroke does, until it closes.
        for (QPoint p : {QPoint(100, 100), QPoint(300, 100), QPoint(300, 250), QPoint(101, 101)}) {
            hover(canvas, p);
            QTest::mouseClick(canvas, Qt::LeftButton, {}, p);
            QCOMPARE(signShown(canvas), poly.state().polyActive);
            QCOMPARE(poly.state().polyActive, p != QPoint(101, 101));
        }
        QVERIFY(!poly.state().polyActive);
        const QImage closed = poly.persistent();
        QCOMPARE(test::colourAt(closed, 200, 175),
                 black); // the closing side, (300,250) to (100,100)
    }
};

QTEST_MAIN(TestClassroom)
#include "test_classroom.moc"
