// A long seeded monkey session over the main window and the gallery: after
// every event the drawing state holds only allowed values, and at the end
// the process's memory is below a fixed bound.

#include "core/canvas/colourpictures.h"
#include "core/files/pictures.h"
#include "testutil.h"
#include "ui/gallery/stampgallery.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/widgets/animationplayer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QtTest>

using namespace garabix;

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void twentyThousandEvents() {
        limitPictureMemory();
        test::LoadedMainWindow w([](test::ProgramFolder &folder) {
            folder.writeDefaultConfiguration();
            folder.write("configuracion/mdg.txt", "15\n");
            folder.writeStamp("escenarios/1.gif", 48, 1);
            for (int i = 0; i < 11; ++i)
                folder.writeStamp(
                    QStringLiteral("dibujos/a/s%1.gif").arg(i, 2, 10, QLatin1Char('0')), 30, 2);
            folder.writeStamp("dibujos/b/t.gif", 50, 2);
            folder.mkdir("dibujos/c");
        });
        MainWindow &form = *w.form;
        StampGallery gallery(w.folder.path(), form);
        gallery.load();
        QRandomGenerator r(20261206);
        const QSize canvas = form.picture().size();
        auto *text = w.control<QLineEdit>(widgetname::textEdit);
        auto *sizes = w.control<QComboBox>(widgetname::textSizeBox);
        auto *player = w.control<AnimationPlayer>(widgetname::stampPlayer);
        const QStringList texts = {"", "Hola", "ñandú 🌈", QString(300, 'x'), "a,b\"c"};

        for (int i = 0; i < 20000; ++i) {
            const double x = r.bounded(-40, canvas.width() + 40) + r.bounded(4) * 0.25;
            const double y = r.bounded(-40, canvas.height() + 40) + r.bounded(4) * 0.25;
            const Qt::MouseButton button = r.bounded(5) ? Qt::LeftButton : Qt::RightButton;
            const int kind = r.bounded(100);
            if (kind < 25)
                form.canvasMoved(r.bounded(3) ? Qt::MouseButtons(button) : Qt::NoButton, x, y);
            else if (kind < 40)
                form.canvasPressed(button, x, y);
            else if (kind < 55)
                form.canvasReleased(button, x, y);
            else if (kind < 58)
                form.canvasDoubleClicked();
            else if (kind < 75) {
                // Every button but quit, and redo in its place.
                const auto b = static_cast<ToolbarButton>(r.bounded(toolbarButtonCount));
                b != ToolbarButton::Quit ? form.runToolbarButton(b) : form.redo();
            } else if (kind < 80)
                form.choosePen(r.bounded(10));
            else if (kind < 84) {
                const QPoint c = colourpictures::paletteSwatch(r.bounded(59)).center();
                form.palettePressed(Qt::LeftButton, c.x(), c.y());
            } else if (kind < 86)
                form.colourChartPressed(Qt::RightButton, r.bounded(92), r.bounded(728));
            else if (kind < 88)
                form.stampBoxPressed(button, r.bounded(60), r.bounded(60));
            else if (kind < 94) {
                const int which = r.bounded(4), k = r.bounded(9);
                which == 0   ? gallery.chooseCategory(k % std::max(1, gallery.categoryCount()))
                : which == 1 ? gallery.turnPage(k % 2)
                : which == 2 ? gallery.previewStamp(k)
                             : gallery.chooseStamp(k);
            } else if (kind < 97)
                text->setText(texts[r.bounded(int(texts.size()))]);
            else if (kind < 98) {
                sizes->setEditText(QString::number(r.bounded(0, 100)));
                form.chooseTextSize();
            } else if (const int b = r.bounded(4); b < 2)
                form.toggleTextStyle(b);
            else
                b == 2 ? form.closeTextPanel() : form.canvasLeft();
            if (i % 50 == 0)
                QCoreApplication::processEvents(); // stamps and previews come to their end

            const DrawingState &s = form.drawingState();
            const Drawing &d = form.drawingDocument();
            QVERIFY(d.undoIndex() >= 0 && d.undoIndex() < UndoRing::slotCount);
            QVERIFY(d.undoDepth() + d.redoDepth() < UndoRing::slotCount);
            QVERIFY(s.lineWidth >= 1 && s.lineWidth <= 19);
            QVERIFY(form.canvasEnabled() || player->isPlaying());
            QVERIFY(s.sceneIndex >= 0 && s.sceneIndex <= s.sceneCount);
            QCOMPARE(form.picture().size(), canvas);
        }
        QTRY_VERIFY_WITH_TIMEOUT(form.canvasEnabled(), 5000);
        const long peakKb = test::processMemoryKb("VmHWM:");
        qInfo("20000 events: peak resident memory %ld kB", peakKb);
        QVERIFY(peakKb < 1024 * 1024);
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
