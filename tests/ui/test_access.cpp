// A child who uses no mouse: a drawing made, saved, found again and the
// program ended with the keyboard alone, and a line drawn in a chosen colour
// and saved with one switch. Every step is a real key press.

#include "core/canvas/colourpictures.h"
#include "core/canvas/tools.h"
#include "testutil.h"
#include "ui/gallery/stampgallery.h"
#include "ui/mainwindow/canvaswidget.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace garabix;

namespace {

constexpr int red = 2; // a swatch of one full primary, far from black and white

// The window the keys go to, as the keyboard's: the one with the focus.
void key(QWidget *fallback, int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget *to = QApplication::focusWidget();
    if (!to)
        to = QApplication::activeWindow() ? QApplication::activeWindow() : fallback;
    QTest::keyClick(to, Qt::Key(k), m);
}

// A child at the keyboard: Tab until the frame is in the area that holds the
// control, then the arrows towards it, watching where the frame is.
struct KeyboardChild {
    QWidget *window;
    const Access &access;

    bool reach(QWidget *control, QRect inControl = {}) {
        auto *listed = dynamic_cast<AccessibleWindow *>(window);
        const QRect goal = AccessTarget{control, inControl, {}, {}}.onWindow();
        for (int tabs = 0; tabs < 12; ++tabs) {
            bool here = false;
            for (const AccessArea &a : listed->accessAreas())
                for (const AccessTarget &t : a.targets)
                    here |=
                        t.widget == access.framedWidget() && t.widget && t.widget->isVisible() &&
                        std::any_of(a.targets.begin(), a.targets.end(),
                                    [&](const AccessTarget &o) { return o.onWindow() == goal; });
            if (here && access.window() == window)
                break;
            key(window, Qt::Key_Tab);
        }
        for (int steps = 0; steps < 80 && access.framed() != goal; ++steps) {
            const QPoint d = goal.center() - access.framed().center();
            const bool across = std::abs(d.x()) * 4 > std::abs(d.y());
            key(window, across ? (d.x() > 0 ? Qt::Key_Right : Qt::Key_Left)
                               : (d.y() > 0 ? Qt::Key_Down : Qt::Key_Up));
        }
        return access.framed() == goal;
    }
    bool press(QWidget *control, QRect inControl = {}) {
        if (!reach(control, inControl))
            return false;
        key(window, Qt::Key_Space);
        return true;
    }
    // Onto the canvas, then the pointer by the arrows to `to`.
    void pointTo(MainWindow &form, QPointF to) {
        reach(form.findChild<QWidget *>(widgetname::canvas));
        for (int steps = 0; steps < 400 && form.keyboardPointer() != to; ++steps) {
            const QPointF d = to - form.keyboardPointer();
            const bool across = d.x() != 0 && std::abs(d.x()) >= std::abs(d.y());
            const double far = across ? d.x() : d.y();
            const Qt::KeyboardModifiers fine =
                std::abs(far) < 4 ? Qt::ShiftModifier : Qt::NoModifier;
            key(window,
                across ? (far > 0 ? Qt::Key_Right : Qt::Key_Left)
                       : (far > 0 ? Qt::Key_Down : Qt::Key_Up),
                fine);
        }
    }
};

int countColour(const QImage &image, QRgb colour, QRect within = {}) {
    const QRect r = within.isEmpty() ? image.rect() : within & image.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

QRgb rgb(ColourWord c) {
    return qRgb(c % 256, (c / 256) % 256, (c / 65536) % 256);
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
        test::LoadedMainWindow w(
            [](test::ProgramFolder &f) {
                f.writeDefaultConfiguration();
                f.writeStamp("dibujos/animales/gato.gif", 60);
            },
            nullptr, keyboard);
        StampGallery gallery(w.folder.path(), *w.form);
        w.form->showGallery = [&] {
            gallery.show();
            gallery.activateWindow();
        };
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        KeyboardChild child{w.form.get(), *w.form->access()};
        const auto button = [&](ToolbarButton b) { return w.control(test::buttonName(b)); };
        auto *palette = w.control(widgetname::paletteStrip);
        const QRgb chosen = rgb(colourpictures::paletteColour(red));

        QVERIFY(child.press(button(ToolbarButton::Pencil)));
        QVERIFY(child.press(palette, colourpictures::paletteSwatch(red)));
        QCOMPARE(rgb(currentColour(w.state())), chosen);
        child.pointTo(*w.form, QPointF(60, 60));
        key(w.form.get(), Qt::Key_Space); // the pencil starts
        child.pointTo(*w.form, QPointF(200, 60));
        key(w.form.get(), Qt::Key_Space); // and ends
        QVERIFY(countColour(w.persistent(), chosen, QRect(60, 55, 141, 11)) >= 140);

        QVERIFY(child.press(button(ToolbarButton::Circle)));
        child.pointTo(*w.form, QPointF(300, 250));
        key(w.form.get(), Qt::Key_Space);
        child.pointTo(*w.form, QPointF(360, 250));
        key(w.form.get(), Qt::Key_Space);
        const int ring = countColour(w.persistent(), chosen, QRect(230, 180, 141, 141));
        QVERIFY(ring > 300);
        QVERIFY(child.press(palette, colourpictures::paletteSwatch(red + 3)));
        const QRgb filled = rgb(colourpictures::paletteColour(red + 3));
        QVERIFY(filled != chosen);
        QVERIFY(child.press(button(ToolbarButton::Fill)));
        child.pointTo(*w.form, QPointF(300, 250));
        key(w.form.get(), Qt::Key_Space);
        QVERIFY(countColour(w.persistent(), filled, QRect(240, 190, 121, 121)) > 3 * 50 * 50);
        QCOMPARE(countColour(w.persistent(), filled, QRect(0, 0, 200, 200)), 0);

        // The gallery: its stamps, then back on the canvas.
        QVERIFY(child.press(button(ToolbarButton::Gallery)));
        QVERIFY(QTest::qWaitForWindowActive(&gallery));
        KeyboardChild inGallery{&gallery, *w.form->access()};
        QVERIFY(inGallery.press(const_cast<QLabel *>(gallery.slot(0))));
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const QImage before = w.persistent();
        child.pointTo(*w.form, QPointF(600, 120));
        key(w.form.get(), Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(w.form->canvasEnabled(), 10000); // the stamp has landed
        QVERIFY(w.persistent() != before);

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

        w.platform.answer = true;
        QVERIFY(child.press(button(ToolbarButton::Quit)));
        QCOMPARE(w.platform.questions.size(), 1);
        QCOMPARE(w.platform.quits, 1);
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
