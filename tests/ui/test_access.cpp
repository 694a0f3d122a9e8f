// A child who uses no mouse: a drawing made, saved, found again and the
// program ended with the keyboard alone, and a line drawn in a chosen colour
// and saved with one switch. Every step is a real key press.

#include "core/canvas/colourpictures.h"
#include "core/canvas/tools.h"
#include "testutil.h"
#include "ui/gallery/stampgallery.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/picker/drawingpicker.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

using namespace garabix;

namespace {

constexpr int red = 2; // a swatch of one full primary, far from black and white

int countColour(const QImage &image, QRgb colour, QRect within = {}) {
    const QRect r = within.isEmpty() ? image.rect() : within & image.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

void withStamp(test::ProgramFolder &f) {
    f.writeDefaultConfiguration();
    f.writeStamp("dibujos/animales/gato.gif", 150);
}

} // namespace

class TestAccess : public QObject {
    Q_OBJECT
private slots:
    // The pencil, a circle, a fill in a chosen colour and a stamp from the
    // gallery; saved, found again with the picture buttons, and the quit
    // question answered: no mouse event anywhere.
    void aDrawingWithTheKeyboardAlone() {
        Settings keyboard;
        keyboard.keyboardPointer = true;
        test::LoadedMainWindow w(withStamp, nullptr, keyboard);
        StampGallery gallery(w.folder.path(), *w.form);
        w.form->showGallery = [&] {
            gallery.show();
            gallery.activateWindow();
        };
        DrawingPicker picker(*w.form);
        w.form->showPicker = [&](const QString &folder) {
            picker.open(folder);
            picker.show();
            picker.activateWindow();
        };
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        test::KeyboardChild child{w.form.get(), *w.form->access()};
        const auto button = [&](ToolbarButton b) { return w.control(test::buttonName(b)); };
        auto *palette = w.control(widgetname::paletteStrip);
        const QRgb chosen = toRgb(colourpictures::paletteColour(red));

        QVERIFY(child.press(button(ToolbarButton::Pencil)));
        QVERIFY(child.press(palette, colourpictures::paletteSwatch(red)));
        QCOMPARE(toRgb(currentColour(w.state())), chosen);
        child.pointTo(*w.form, QPointF(60, 60));
        test::pressKey(w.form.get(), Qt::Key_Space); // the pencil starts
        child.pointTo(*w.form, QPointF(200, 60));
        test::pressKey(w.form.get(), Qt::Key_Space); // and ends
        QVERIFY(countColour(w.persistent(), chosen, QRect(60, 55, 141, 11)) >= 140);

        QVERIFY(child.press(button(ToolbarButton::Circle)));
        child.pointTo(*w.form, QPointF(300, 250));
        test::pressKey(w.form.get(), Qt::Key_Space);
        child.pointTo(*w.form, QPointF(360, 250));
        test::pressKey(w.form.get(), Qt::Key_Space);
        const int ring = countColour(w.persistent(), chosen, QRect(230, 180, 141, 141));
        QVERIFY(ring > 300);
        QVERIFY(child.press(palette, colourpictures::paletteSwatch(red + 3)));
        const QRgb filled = toRgb(colourpictures::paletteColour(red + 3));
        QVERIFY(filled != chosen);
        QVERIFY(child.press(button(ToolbarButton::Fill)));
        child.pointTo(*w.form, QPointF(300, 250));
        test::pressKey(w.form.get(), Qt::Key_Space);
        QVERIFY(countColour(w.persistent(), filled, QRect(240, 190, 121, 121)) > 3 * 50 * 50);
        QCOMPARE(countColour(w.persistent(), filled, QRect(0, 0, 200, 200)), 0);

        // The gallery: its stamps, then back on the canvas.
        QVERIFY(child.press(button(ToolbarButton::Gallery)));
        QVERIFY(QTest::qWaitForWindowActive(&gallery));
        test::KeyboardChild inGallery{&gallery, *w.form->access()};
        QVERIFY(inGallery.press(const_cast<QLabel *>(gallery.slot(0))));
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const QImage before = w.persistent();
        child.pointTo(*w.form, QPointF(600, 120));
        test::pressKey(w.form.get(), Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(w.form->canvasEnabled(), 10000); // the stamp has landed
        QVERIFY(w.persistent() != before);

        // The text tool: the words typed go to its box, a Space on the
        // canvas writes them, and Cerrar is reached with Tab like the rest.
        QVERIFY(child.press(button(ToolbarButton::Text)));
        QVERIFY(QApplication::focusWidget());
        QTest::keyClicks(QApplication::focusWidget(), "Hola");
        QCOMPARE(w.form->textTool().text(), QString("Hola"));
        const QImage unwritten = w.persistent();
        child.pointTo(*w.form, QPointF(100, 400));
        test::pressKey(w.form.get(), Qt::Key_Space);
        QVERIFY(w.persistent() != unwritten);
        QVERIFY(child.press(w.control(widgetname::closeTextButton)));
        QVERIFY(w.control(widgetname::textPanel)->isHidden());

        QVERIFY(child.press(button(ToolbarButton::Save)));
        QVERIFY(w.settle());
        QVERIFY(QFileInfo::exists(w.drawings() + "0.bmp"));
        const QImage saved = w.persistent();
        QVERIFY(child.press(button(ToolbarButton::NewDrawing)));
        QVERIFY(w.persistent() != saved);
        QVERIFY(child.press(button(ToolbarButton::NextDrawing)));
        QVERIFY(w.settle());
        QCOMPARE(w.persistent().convertToFormat(QImage::Format_RGB32),
                 saved.convertToFormat(QImage::Format_RGB32));
        // And once more through "Mis dibujos": its first picture.
        QVERIFY(child.press(button(ToolbarButton::NewDrawing)));
        QVERIFY(child.press(w.control(widgetname::myDrawingsButton)));
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QTRY_VERIFY(picker.pageReady());
        test::KeyboardChild inPicker{&picker, *w.form->access()};
        QVERIFY(inPicker.press(picker.findChild<QWidget *>(widgetname::pickerTile(0))));
        QTRY_VERIFY(picker.isHidden());
        QVERIFY(w.settle());
        QCOMPARE(w.persistent().convertToFormat(QImage::Format_RGB32),
                 saved.convertToFormat(QImage::Format_RGB32));

        w.platform.answer = true;
        QVERIFY(child.press(button(ToolbarButton::Quit)));
        QCOMPARE(w.platform.questions.size(), 1);
        QCOMPARE(w.platform.quits, 1);
    }

    // Scanning at its fastest and nothing but Space: the palette's colour,
    // a line between two points of the canvas, and Save.
    void aLineWithOneSwitch() {
        Settings oneSwitch;
        oneSwitch.switchScanning = true;
        oneSwitch.scanSeconds = 1;
        test::LoadedMainWindow w({}, nullptr, oneSwitch);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const Access &scan = *w.form->access();
        auto *canvas = w.control(widgetname::canvas);
        auto *palette = w.control(widgetname::paletteStrip);
        // The switch, once the highlight is where the child wants it.
        const auto chooseWhen = [&](const std::function<bool()> &there) {
            if (!QTest::qWaitFor(there, 60000))
                return false;
            test::pressKey(w.form.get(), Qt::Key_Space);
            return true;
        };
        using L = Access::Level;
        const auto areaOf = [&](QWidget *first) {
            return
                [&scan, first] { return scan.level() == L::Areas && scan.framedWidget() == first; };
        };
        QVERIFY(chooseWhen(areaOf(palette)));
        const QRect swatch =
            AccessTarget{palette, colourpictures::paletteSwatch(red), {}, {}}.onWindow();
        QVERIFY(chooseWhen([&] { return scan.level() == L::Targets && scan.framed() == swatch; }));
        const QRgb chosen = toRgb(colourpictures::paletteColour(red));
        QCOMPARE(toRgb(currentColour(w.state())), chosen);

        // The first cell's first point, then the next cell's: a line across.
        const QPoint corner = canvas->mapTo(w.form.get(), QPoint());
        const int cellWidth = canvas->width() / 4;
        const auto cellAt = [&](int x) {
            return [&scan, corner, x] {
                return scan.level() == L::Cells && scan.framed().contains(corner + QPoint(x, 5));
            };
        };
        const auto firstPoint = [&scan] { return scan.level() == L::Points; };
        QVERIFY(chooseWhen(areaOf(canvas)));
        QVERIFY(chooseWhen(cellAt(5)));
        QVERIFY(chooseWhen(firstPoint));
        QVERIFY(chooseWhen(cellAt(cellWidth + 5)));
        QVERIFY(chooseWhen(firstPoint));
        QTRY_COMPARE(scan.level(), L::Areas);
        const int y = canvas->height() / 3 / 8;
        const int from = cellWidth / 8, to = cellWidth + cellWidth / 8;
        QVERIFY(countColour(w.persistent(), chosen, QRect(from, y - 1, to - from, 3)) >=
                to - from - 2);

        auto *save = w.control(test::buttonName(ToolbarButton::Save));
        QVERIFY(chooseWhen(areaOf(w.control(test::buttonName(ToolbarButton::PreviousScene)))));
        QVERIFY(
            chooseWhen([&] { return scan.level() == L::Targets && scan.framedWidget() == save; }));
        QVERIFY(w.settle());
        const QImage file(w.drawings() + "0.bmp");
        QVERIFY(countColour(file, chosen, QRect(from, y - 1, to - from, 3)) >= to - from - 2);

        // A question, which lists no areas: the highlight steps its buttons.
        QMessageBox question(QMessageBox::Question, "Garabix", "?",
                             QMessageBox::Yes | QMessageBox::No, w.form.get());
        question.setDefaultButton(QMessageBox::Yes);
        question.open();
        QVERIFY(QTest::qWaitForWindowActive(&question));
        QAbstractButton *no = question.button(QMessageBox::No);
        QVERIFY(chooseWhen([&] { return scan.framedWidget() == no && no->hasFocus(); }));
        QTRY_VERIFY(question.isHidden());
        QCOMPARE(question.clickedButton(), no);
    }

    // The largest controls at three screens: none overlaps another or leaves
    // the window, each shows on the window's picture, and the smallest button
    // is twice the smallest of the usual controls.
    void theLargestControlsFitEveryScreen() {
        for (const QSize screen : {QSize(1280, 800), QSize(1920, 1080), QSize(3840, 2160)}) {
            Settings largest;
            largest.controlsSize = 2;
            test::LoadedMainWindow usual(withStamp), large(withStamp, nullptr, largest);
            int smallest[2] = {1 << 20, 1 << 20};
            test::LoadedMainWindow *both[2] = {&usual, &large};
            for (int k = 0; k < 2; ++k) {
                MainWindow &form = *both[k]->form;
                form.resize(screen);
                form.show();
                QVERIFY(QTest::qWaitForWindowExposed(&form));
                form.runToolbarButton(ToolbarButton::MoreColours); // the chart shows too
                form.runToolbarButton(ToolbarButton::Gallery);     // and a stamp pressed,
                both[k]->click(QPointF(50, 50));                   // the stamp picture
                QTRY_VERIFY(form.canvasEnabled());
                QVERIFY(both[k]->control(widgetname::stampBox)->isVisible());
                for (const QPushButton *b : form.findChildren<QPushButton *>())
                    if (b->isVisible())
                        smallest[k] = std::min({smallest[k], b->width(), b->height()});
            }
            QVERIFY2(smallest[1] >= 2 * smallest[0],
                     qPrintable(QString("%1 against %2").arg(smallest[1]).arg(smallest[0])));
            for (ToolbarButton b : allToolbarButtons()) {
                const QSize was = usual.control(test::buttonName(b))->size();
                QVERIFY(large.control(test::buttonName(b))->width() >= 2 * was.width() - 1);
            }

            MainWindow &form = *large.form;
            const QImage shot = form.grab().toImage();
            QList<QWidget *> shown;
            for (QWidget *w : form.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                if (w->isVisible())
                    shown.append(w);
            QVERIFY(shown.size() > 40);
            auto *canvas = large.control(widgetname::canvas);
            auto *chart = large.control(widgetname::colourChart);
            const QRgb background = shot.pixel(shot.width() - 1, shot.height() - 1);
            for (QWidget *a : shown) {
                const QString name =
                    a->objectName() + QString(" at %1x%2").arg(screen.width()).arg(screen.height());
                QVERIFY2(form.rect().contains(a->geometry()), qPrintable(name));
                for (QWidget *b : shown) {
                    const bool overlay = (a == chart && b == canvas) || (a == canvas && b == chart);
                    QVERIFY2(a == b || overlay || !a->geometry().intersects(b->geometry()),
                             qPrintable(name + " and " + b->objectName()));
                }
                // Something of it is painted on the window's picture.
                const QRect r = a->geometry();
                bool painted = false;
                for (int y = r.top(); y <= r.bottom() && !painted; y += 2)
                    for (int x = r.left(); x <= r.right() && !painted; x += 2)
                        painted = shot.pixel(x, y) != background;
                QVERIFY2(painted, qPrintable(name));
            }
            QVERIFY(canvas->width() > screen.width() / 3 && canvas->height() > screen.height() / 3);
            // A click where a colour shows on the palette or the chart picks that colour.
            for (QWidget *colours : {large.control(widgetname::paletteStrip), chart}) {
                const QImage shown = colours->grab().toImage();
                int tried = 0;
                for (int i = 7; i < shown.width() * shown.height() && tried < 12; i += 89) {
                    const QPoint p(i % shown.width(), i / shown.width());
                    const QRgb c = shown.pixel(p) & 0xFFFFFF;
                    const bool inside = [&] { // a swatch's inside, away from its edges
                        for (const QPoint d :
                             {QPoint(-3, -3), QPoint(3, 3), QPoint(-3, 3), QPoint(3, -3)})
                            if (!shown.rect().contains(p + d) ||
                                (shown.pixel(p + d) & 0xFFFFFF) != c)
                                return false;
                        return c != 0xC0C0C0;
                    }();
                    if (!inside)
                        continue;
                    QTest::mouseClick(colours, Qt::LeftButton, {}, p);
                    QCOMPARE(toRgb(currentColour(large.state())) & 0xFFFFFF, c);
                    ++tried;
                }
                QCOMPARE(tried, 12);
            }
        }
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
