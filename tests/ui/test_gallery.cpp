// The stamp gallery and stamps from the gallery to the canvas; the magic
// gallery without a mouse and its effect painted with click-to-draw.

#include "core/canvas/drawing.h"
#include "core/canvas/tools.h"
#include "core/files/pictures.h"
#include "testutil.h"
#include "ui/gallery/magicgallery.h"
#include "ui/gallery/pagegallery.h"
#include "ui/gallery/stampgallery.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/widgets/animationplayer.h"
#include "ui/widgets/uiutil.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace garabix;
using test::colourAt;

namespace {

// A main window and its gallery over two categories: "aves" with `first`
// 40-pixel stamps and "peces" with `second` 30-pixel ones.
struct Window : test::LoadedMainWindow {
    explicit Window(int first = 4, int second = 20)
        : LoadedMainWindow([=](test::ProgramFolder &f) {
              f.writeDefaultConfiguration();
              for (int i = 0; i < first + second; ++i) {
                  const bool bird = i < first;
                  const int n = bird ? i : i - first;
                  f.writeStamp(QStringLiteral("dibujos/%1%2.gif")
                                   .arg(bird ? "aves/s" : "peces/p")
                                   .arg(n, 2, 10, QLatin1Char('0')),
                               bird ? 40 : 30, 2);
              }
          }),
          gallery(std::make_unique<StampGallery>(folder.path(), *form)) {
        gallery->load();
    }
    int slotsShown() const {
        int n = 0;
        for (int k = 0; k < 9; ++k)
            n += !gallery->slot(k)->pixmap().isNull();
        return n;
    }
    // Lets a stamp's animation play out.
    void waitForStamp() { QTRY_VERIFY_WITH_TIMEOUT(form->canvasEnabled(), 5000); }
    std::unique_ptr<StampGallery> gallery;
};

} // namespace

class TestGallery : public QObject {
    Q_OBJECT
private slots:
    void pagingStopsAtTheLastStampsAndEmptySlotsDoNothing() {
        Window w;
        QCOMPARE(w.gallery->categoryCount(), 2);
        QCOMPARE(w.gallery->categoryName(0), QStringLiteral("aves"));
        QCOMPARE(w.slotsShown(), 4);
        w.gallery->turnPage(0); // four stamps: one page
        QCOMPARE(w.gallery->pageStart(), 0);
        w.gallery->chooseCategory(1);
        QVector<int> starts;
        for (int i = 0; i < 4; ++i) {
            w.gallery->turnPage(0);
            starts << w.gallery->pageStart();
        }
        QCOMPARE(starts, (QVector<int>{9, 18, 18, 18}));
        QCOMPARE(w.slotsShown(), 2);
        QCOMPARE(w.gallery->slot(0)->size(), QSize(30, 30));
        // Slot 5 showed p14 a page ago; empty now, it neither plays nor chooses.
        const QString before = w.form->stampFile();
        w.gallery->previewStamp(5);
        w.gallery->chooseStamp(5);
        QVERIFY(!w.gallery->previewPlaying());
        QCOMPARE(w.form->stampFile(), before);
        // The stamp chosen stays chosen whatever page the gallery shows after.
        w.gallery->chooseStamp(1);
        const QImage chosen = w.form->stampPicture().copy();
        w.gallery->turnPage(1);
        QVERIFY(w.form->stampFile().endsWith("p19.gif"));
        QCOMPARE(w.slotsShown(), 9);
        QCOMPARE(w.form->stampPicture(), chosen);
        // Back from the second page to the first, and no further.
        QCOMPARE(w.gallery->pageStart(), 9);
        w.gallery->turnPage(1);
        QCOMPARE(w.gallery->pageStart(), 0);
        w.gallery->turnPage(1);
        QCOMPARE(w.gallery->pageStart(), 0);
    }

    // Up to 255 categories, each with its first stamp beside its name, all
    // within reach of the list's scrolling and never under the preview.
    void everyCategoryShowsItsFirstStampAndStaysReachable() {
        Window w(0, 0);
        for (int c = 0; c < 40; ++c)
            w.folder.writeStamp(
                QStringLiteral("dibujos/c%1/a.gif").arg(c, 2, 10, QLatin1Char('0')));
        w.gallery->load();
        w.gallery->show();
        QCOMPARE(w.gallery->categoryCount(), 40);
        for (int c : {0, 39})
            QVERIFY(!w.gallery->categoryRow(c)->findChild<QLabel *>()->pixmap().isNull());
        const QScrollArea *list = w.gallery->categoryList();
        w.gallery->chooseCategory(39);
        const QRect seen(0, list->verticalScrollBar()->value(), list->viewport()->width(),
                         list->viewport()->height());
        QVERIFY(seen.contains(w.gallery->categoryRow(39)->geometry()));
        QTest::mouseClick(w.gallery->categoryRow(20), Qt::LeftButton);
        w.gallery->previewStamp(0);
        QVERIFY(w.gallery->previewFile().contains("/c20/"));
        QVERIFY(
            !w.gallery->findChild<AnimationPlayer *>()->geometry().intersects(list->geometry()));
    }

    void aChosenStampIsPressedCentredWithItsWhiteLeftOut() {
        Window w;
        w.gallery->chooseCategory(1);
        w.gallery->chooseStamp(3);
        QVERIFY(w.form->stampFile().endsWith("p03.gif"));
        QCOMPARE(w.control(widgetname::stampBox)->geometry(),
                 QRect(0, 570, 30, 30)); // on the bottom edge
        w.gallery->chooseCategory(0);
        w.gallery->chooseStamp(0); // a 40 x 40 white picture with a black square
        w.form->runToolbarButton(ToolbarButton::Fill);
        w.form->palettePressed(Qt::LeftButton, 45, 9); // red: the whole canvas
        w.click(QPointF(5, 5));
        w.form->runToolbarButton(ToolbarButton::Gallery);
        const int before = w.form->drawingDocument().undoIndex();
        w.form->canvasMoved(Qt::NoButton, 100, 80);
        w.form->canvasPressed(Qt::LeftButton, 100, 80);
        QVERIFY(!w.form->canvasEnabled());
        w.form->canvasMoved(Qt::LeftButton, 300, 300); // ignored while it plays
        w.waitForStamp();
        // 40 px = 600 twips, 600 \ 2 / 15 = 20: the corner lands at (80, 60).
        QCOMPARE(test::countColour(w.persistent(), black, QRect(80, 60, 40, 40)), 20 * 20);
        QCOMPARE(test::countColour(w.persistent(), black), 20 * 20); // its white left out
        QCOMPARE(w.form->drawingDocument().undoIndex(), before + 1); // the stamp is one undo step
        w.form->runToolbarButton(ToolbarButton::Undo);
        QVERIFY(colourAt(w.persistent(), 90, 70) != black);
    }

    // A stamp whose two frames last 5 s each lands within 3 s, and the
    // canvas takes strokes again; Escape closes the gallery.
    void aSlowStampLandsSoonAndEscapeClosesTheGallery() {
        Window w(0, 0);
        w.folder.writeStamp("dibujos/lentos/a.gif", 40, 2, 500);
        w.gallery->load();
        w.form->runToolbarButton(ToolbarButton::Gallery);
        w.gallery->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.gallery.get()));
        w.gallery->chooseStamp(0);
        QTest::keyClick(w.gallery.get(), Qt::Key_Escape);
        QVERIFY(w.gallery->isHidden());
        QElapsedTimer clock;
        clock.start();
        w.click(QPointF(100, 80));
        QVERIFY(!w.form->canvasEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(w.form->canvasEnabled(), 10000);
        QVERIFY2(clock.elapsed() < 4500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(test::countColour(w.persistent(), black), 20 * 20);
    }

    void colouringMirroringAndTheOutline() {
        Window w;
        w.gallery->chooseStamp(0);
        w.form->palettePressed(Qt::LeftButton, 6 + 16 * 4 + 5, 8); // green
        w.form->stampBoxPressed(Qt::LeftButton, 2, 2); // chooses the stamp tool, and shows it
        QVERIFY(w.state().currentTool == Tool::Stamp &&
                isMarkedChosen(w.control(test::buttonName(ToolbarButton::Gallery))));
        QCOMPARE(w.form->stampPicture().pixel(2, 2), qRgb(0, 255, 0));
        QCOMPARE(w.form->stampPicture().pixel(20, 20), qRgb(0, 0, 0));
        // The outline follows the pointer on the screen only.
        w.form->canvasMoved(Qt::NoButton, 200, 200);
        QCOMPARE(colourAt(w.form->screenImage(), 200, 200), black);
        QCOMPARE(colourAt(w.persistent(), 200, 200), white);
        w.form->canvasMoved(Qt::NoButton, 400, 200);
        QCOMPARE(colourAt(w.form->screenImage(), 200, 200), white);
        // The gallery again, another command, then a tool: the outline goes.
        w.form->runToolbarButton(ToolbarButton::Gallery);
        w.form->canvasMoved(Qt::NoButton, 200, 200);
        w.form->runToolbarButton(ToolbarButton::GridLines);
        w.form->runToolbarButton(ToolbarButton::Circle);
        QCOMPARE(w.form->screenImage(), w.persistent());
        // Mirroring turns the corner regions white; twice gives the picture back.
        QImage stamp(30, 20, QImage::Format_RGB32);
        stamp.fill(Qt::white);
        QPainter(&stamp).fillRect(3, 5, 7, 10, QColor(200, 0, 0));
        w.form->stampChosen(QString(), stamp);
        w.form->runToolbarButton(ToolbarButton::MirrorStamp);
        QCOMPARE(w.form->stampPicture().pixel(29 - 5, 10), qRgb(200, 0, 0));
        w.form->runToolbarButton(ToolbarButton::MirrorStamp);
        QCOMPARE(w.form->stampPicture(), stamp);
    }

    // The keyboard's frame is on a stamp when the gallery opens, and on the
    // stamp chosen when the child comes back to it; Tab into the main
    // window's tool bar frames the chosen tool, not the first button.
    void theFrameIsWhereTheChildExpects() {
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        const Access &frame = *w.form->access();
        w.gallery->show();
        QVERIFY(QTest::qWaitForWindowActive(w.gallery.get()));
        QCOMPARE(frame.framedWidget(), w.gallery->slot(0));
        QTest::mouseClick(const_cast<QLabel *>(w.gallery->slot(2)), Qt::LeftButton);
        QTRY_VERIFY(w.form->isActiveWindow());
        w.gallery->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.gallery.get()));
        QCOMPARE(frame.framedWidget(), w.gallery->slot(2));

        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        for (ToolbarButton tool : {ToolbarButton::Circle, ToolbarButton::DiscSpray}) {
            w.form->runToolbarButton(tool);
            for (int tab = 0; tab < 12; ++tab) {
                QTest::keyClick(w.form.get(), Qt::Key_Tab);
                if (frame.area() == 0)
                    break;
            }
            QCOMPARE(frame.framedWidget(), w.control(test::buttonName(tool)));
        }
        // On the canvas, the frame lies within it, under the text panel.
        Settings pointer;
        pointer.keyboardPointer = true;
        test::LoadedMainWindow p({}, nullptr, pointer);
        p.form->show();
        QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
        p.form->runToolbarButton(ToolbarButton::Text);
        QWidget *canvas = p.control(widgetname::canvas);
        for (int tab = 0; tab < 12 && p.form->access()->framedWidget() != canvas; ++tab)
            QTest::keyClick(p.form.get(), Qt::Key_Tab);
        QCOMPARE(p.form->access()->framedWidget(), canvas);
        auto *drawn = p.form->findChild<AccessFrame *>();
        QVERIFY(drawn && drawn->isVisible());
        QVERIFY(canvas->geometry().contains(drawn->geometry()));
        const QObjectList stack = p.form->children();
        QVERIFY(stack.indexOf(drawn) < stack.indexOf(p.control(widgetname::textPanel)));
    }

    // Magic without a mouse: the arrows and Space open the gallery, turn its
    // page and choose the kaleidoscope; Escape closes it as it was. Then
    // click-to-draw paints the effect as a pencil stroke: four copies
    // mirrored across the middle lines, the effect's cue, one undo step.
    void magicChosenWithTheKeyboardPaintedWithClicks() {
        Settings s;
        s.keyboardPointer = true;
        s.clickToDraw = true;
        test::LoadedMainWindow w({}, nullptr, s);
        MagicGallery gallery(*w.form);
        w.form->showMagic = [&] {
            gallery.show();
            gallery.activateWindow();
        };
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        test::KeyboardChild child{w.form.get(), *w.form->access()};
        QWidget *magicButton = w.control(widgetname::magicButton);
        QVERIFY(child.press(w.control(test::buttonName(ToolbarButton::Pencil))));
        QVERIFY(child.press(w.control(widgetname::penButton(4))));
        QVERIFY(child.press(magicButton));
        QVERIFY(QTest::qWaitForWindowActive(&gallery));
        // The frame starts on the chosen effect, the rainbow until one is chosen.
        QCOMPARE(w.form->access()->framedWidget(), gallery.slot(0));
        test::KeyboardChild inGallery{&gallery, *w.form->access()};
        QVERIFY(inGallery.press(gallery.findChild<QWidget *>(widgetname::pickerPageButton(0))));
        QCOMPARE(gallery.pageStart(), 9);
        QVERIFY(!gallery.slotShows(8)); // 17 effects: the second page has eight
        QVERIFY(inGallery.press(gallery.slot(int(Magic::Kaleidoscope) - 9)));
        QTRY_VERIFY(gallery.isHidden());
        QCOMPARE(w.state().currentTool, Tool::Magic);
        QCOMPARE(w.state().magic, Magic::Kaleidoscope);
        QVERIFY(isMarkedChosen(magicButton));
        // Opened again it shows the chosen effect's page; Escape keeps it.
        QVERIFY(child.press(magicButton));
        QVERIFY(QTest::qWaitForWindowActive(&gallery));
        QCOMPARE(gallery.pageStart(), 9);
        QCOMPARE(w.form->access()->framedWidget(), gallery.slot(int(Magic::Kaleidoscope) - 9));
        test::pressKey(&gallery, Qt::Key_Escape);
        QTRY_VERIFY(gallery.isHidden());
        QCOMPARE(w.state().magic, Magic::Kaleidoscope);

        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        QWidget *canvas = w.control(widgetname::canvas);
        const auto hover = [canvas](QPoint p) {
            QMouseEvent move(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(canvas, &move);
        };
        const QImage blank = w.persistent().copy();
        const QRgb ink = toRgb(currentColour(w.state()));
        hover(QPoint(40, 50));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(40, 50));
        QCOMPARE(w.platform.sounds.last(),
                 QString("magia%1.wav").arg(int(Magic::Kaleidoscope) + 1));
        hover(QPoint(150, 90));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(150, 90));
        const QImage painted = w.persistent();
        const QSize size = painted.size();
        for (QPoint p : {QPoint(40, 50), QPoint(95, 70), QPoint(150, 90)}) {
            QCOMPARE(painted.pixel(p) & 0xFFFFFF, ink & 0xFFFFFF);
            QCOMPARE(painted.pixel(size.width() - 1 - p.x(), p.y()), painted.pixel(p));
            QCOMPARE(painted.pixel(p.x(), size.height() - 1 - p.y()), painted.pixel(p));
            QCOMPARE(painted.pixel(size.width() - 1 - p.x(), size.height() - 1 - p.y()),
                     painted.pixel(p));
        }
        QCOMPARE(painted, painted.mirrored(true, false));
        QCOMPARE(painted, painted.mirrored(false, true));
        QVERIFY(child.press(w.control(test::buttonName(ToolbarButton::Undo))));
        QCOMPARE(w.persistent(), blank);
    }

    // A colouring page from its gallery: a new drawing under the page's
    // lines, filled inside its square and crossed by a pencil line, saved as
    // one picture that reads back as the canvas showed it. A page that cannot
    // be read leaves the drawing be; the next new drawing leaves the page.
    void colouringPageColouredAndSaved() {
        test::LoadedMainWindow w([](test::ProgramFolder &f) {
            f.writeDefaultConfiguration();
            f.write("colorear/01-cuadro_grande.svg",
                    "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 100 100'>"
                    "<rect x='10' y='10' width='80' height='80' fill='none' stroke='#000' "
                    "stroke-width='4'/></svg>");
            f.write("colorear/02-roto.svg", "<svg xmlns='http://www.w3.org/2000/svg'><rect");
            f.write("colorear/leeme.txt", "not a page");
        });
        PageGallery gallery(*w.form);
        w.form->showPages = [&] { gallery.show(); };
        w.drag(QPointF(5, 5), QPointF(300, 5));
        QTest::mouseClick(w.control(widgetname::pagesButton), Qt::LeftButton);
        QTRY_VERIFY(gallery.isVisible());
        QVERIFY(gallery.slotShows(1) && !gallery.slotShows(2));
        QCOMPARE(gallery.slot(0)->accessibleName(), QStringLiteral("Cuadro grande"));
        const QImage before = w.persistent().copy();
        gallery.choose(1);
        QCOMPARE(w.persistent(), before);
        QVERIFY(!w.form->drawingDocument().pageOpen());
        gallery.show();
        gallery.choose(0);
        QTRY_VERIFY(gallery.isHidden());
        const Drawing &d = w.form->drawingDocument();
        QVERIFY(d.pageOpen());
        // Drawn at the canvas's size: the square is most of the canvas's height.
        const QSize size = d.size();
        const QPoint centre(size.width() / 2, size.height() / 2);
        int top = centre.y();
        while (top > 0 && !d.canvas().pageLines()->isLine(centre.x(), top))
            --top;
        QVERIFY2(centre.y() - top > size.height() * 0.35, qPrintable(QString::number(top)));
        QCOMPARE(colourAt(w.persistent(), 150, 5), 0xFFFFFFu); // the pencil line went
        QImage page(size, QImage::Format_RGB32);
        page.fill(Qt::white);
        d.canvas().pageLines()->drawOver(page, page.rect());
        w.form->palettePressed(Qt::LeftButton, 45, 9); // red
        w.press(ToolbarButton::Fill);
        w.click(centre);
        QCOMPARE(w.persistent().pixel(centre), qRgb(255, 0, 0));
        QCOMPARE(w.persistent().pixel(centre.x(), top / 3), qRgb(255, 255, 255));
        w.form->palettePressed(Qt::LeftButton, 6 + 16 * 4 + 5, 8); // green
        w.press(ToolbarButton::Pencil);
        w.drag(QPointF(2, centre.y()), QPointF(size.width() - 3, centre.y()));
        QCOMPARE(w.persistent().pixel(centre.x(), top), page.pixel(centre.x(), top));
        int left = 0;
        while (!d.canvas().pageLines()->isLine(left, centre.y()))
            ++left;
        QCOMPARE(w.persistent().pixel(left, centre.y()), page.pixel(left, centre.y()));
        QVERIFY(w.persistent().pixel(left / 2, centre.y()) != qRgb(255, 255, 255));
        w.save();
        const QStringList saved = QDir(w.drawings()).entryList({"*.bmp"});
        QCOMPARE(saved.size(), 1);
        const QImage read = loadPicture(w.drawings() + saved[0]);
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32),
                 w.persistent().convertToFormat(QImage::Format_RGB32));
        w.press(ToolbarButton::NewDrawing);
        QVERIFY(!d.pageOpen());
        w.drag(QPointF(2, centre.y() + 4), QPointF(size.width() - 3, centre.y() + 4));
        QCOMPARE(colourAt(w.persistent(), centre.x(), top), colourAt(w.persistent(), 2, 2));
    }

    // The gallery's size buttons and turn button: a stamp dark along its top
    // edge lands centred where it was clicked at half, as drawn and twice,
    // upright and upside down (a stamp chosen after the turn too), each press
    // one undo step; the stamp picture marks the size.
    void stampsAtEachSizeAndTurnLandCentred() {
        Window w;
        QImage darkTop(40, 40, QImage::Format_RGB32);
        darkTop.fill(Qt::white);
        QPainter(&darkTop).fillRect(0, 0, 40, 10, Qt::black);
        w.form->stampChosen(w.form->stampFile(), darkTop);
        w.form->runToolbarButton(ToolbarButton::Gallery);
        auto *box = w.control<PictureBox>(widgetname::stampBox);
        const auto darkPart = [&] {
            QRect r;
            for (int y = 0; y < w.persistent().height(); ++y)
                for (int x = 0; x < w.persistent().width(); ++x)
                    if (colourAt(w.persistent(), x, y) == black)
                        r |= QRect(x, y, 1, 1);
            return r;
        };
        for (const bool turned : {false, true}) {
            if (turned) {
                // Turned, then chosen again: the stamps stay upside down.
                w.gallery->chooseOption(3);
                QVERIFY(
                    w.gallery->findChild<QPushButton *>(widgetname::stampTurnButton)->isChecked());
                w.form->stampChosen(w.form->stampFile(), darkTop);
            }
            for (int k = 0; k < 3; ++k) {
                w.gallery->chooseOption(k);
                QVERIFY(w.gallery->findChild<QPushButton *>(widgetname::stampSizeButton(k))
                            ->isChecked());
                QCOMPARE(box->mark(), QString::fromUtf8(k == 0 ? "\u00BD" : k == 1 ? "" : "2"));
                const int side = k == 0 ? 20 : k == 1 ? 40 : 80;
                const int before = w.form->drawingDocument().undoIndex();
                w.form->canvasMoved(Qt::NoButton, 200, 150);
                w.form->canvasPressed(Qt::LeftButton, 200, 150);
                w.waitForStamp();
                const QRect stamp(200 - side / 2, 150 - side / 2, side, side);
                const QRect dark(stamp.left(), turned ? stamp.bottom() + 1 - side / 4 : stamp.top(),
                                 side, side / 4);
                QCOMPARE(darkPart(), dark);
                QCOMPARE(w.form->drawingDocument().undoIndex(), before + 1);
                w.form->runToolbarButton(ToolbarButton::Undo);
                QCOMPARE(darkPart(), QRect());
            }
        }
    }
};

QTEST_MAIN(TestGallery)
#include "test_gallery.moc"
