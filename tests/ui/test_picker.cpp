// "Mis dibujos": the saved drawings as pictures, newest first, opened by its
// button and Ctrl+O; the keys choose one, which shows on the canvas as the
// picture buttons show it (undo brings back what was there, the bin deletes
// it); Escape changes nothing; broken files show a placeholder.

#include "core/files/drawings.h"
#include "testutil.h"
#include "ui/picker/form4.h"
#include "ui/picker/thumbnails.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace garabix;

class TestPicker : public QObject {
    Q_OBJECT
private slots:
    void newestFirstChosenByKeysUndoneAndEscaped() {
        QVector<QColor> colours; // by age, the newest first
        test::MainWindow w([&](test::ProgramFolder &f) {
            f.writeDefaultConfiguration();
            f.mkdir("misdibujos");
            const QDateTime now = QDateTime::currentDateTime();
            for (int n = 0; n < 14; ++n) {
                QImage picture(130, 75, QImage::Format_RGB32);
                colours.prepend(QColor::fromHsv(n * 25, 255, 200));
                picture.fill(colours.first());
                const QString path = f.path() + QStringLiteral("/misdibujos/%1.bmp").arg(n);
                QVERIFY(drawings::writeBmp(picture, path));
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadWrite) &&
                        file.setFileTime(now.addSecs(n * 60 - 3600), QFileDevice::FileModificationTime));
            }
            f.write("misdibujos/roto.bmp", "BM not a picture"); // the newest of all
        });
        // A cache of this test's own: other tests open pickers too.
        QTemporaryDir cache;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        Form4 picker(*w.form);
        w.form->showPicker = [&](const QString &folder) {
            picker.open(folder);
            picker.show();
        };
        QSignalSpy shown(&picker, &Form4::pageShown);
        QTest::mouseClick(w.control<QPushButton>("Command6"), Qt::LeftButton);
        QVERIFY(shown.count() == 1 || shown.wait(10000));
        QCOMPARE(picker.drawings().size(), 15);
        QVERIFY(picker.drawings().first().endsWith("roto.bmp"));
        QVERIFY(picker.drawings()[1].endsWith("/13.bmp"));
        QCOMPARE(picker.pageCount(), 2);
        QVERIFY(picker.findChild<QToolButton *>("Thumb_0")->width() >= 120);
        const QImage broken =
            picker.findChild<QToolButton *>("Thumb_0")->icon().pixmap(thumbnails::maxSize).toImage();
        QCOMPARE(broken.pixelColor(5, 5), thumbnails::placeholder().pixelColor(5, 5));
        // The first page's pictures are kept, the placeholder is not.
        QCOMPARE(QDir(thumbnails::cacheFolder()).entryList(QDir::Files).size(), 11);

        // Escape: nothing changes.
        w.drag(QPointF(10, 10), QPointF(100, 10));
        const QImage before = w.persistent().copy();
        QTest::keyClick(&picker, Qt::Key_Escape);
        QVERIFY(picker.isHidden());
        QCOMPARE(w.persistent(), before);

        // Ctrl+O, then over to the next page and back by the keys, and Return.
        w.form->show();
        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        QTest::keyClick(w.form.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(picker.isVisible());
        QTRY_VERIFY(picker.pageReady());
        for (int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
            QTest::keyClick(picker.focusWidget(), Qt::Key(key));
        QCOMPARE(picker.page(), 0); // down from the last row goes to the next page and up again
        QTest::keyClick(picker.focusWidget(), Qt::Key_Return);
        QVERIFY(picker.isHidden());
        const QString chosen = picker.drawings()[9];
        QCOMPARE(w.persistent().pixel(5, 5), colours[8].rgb());
        QCOMPARE(w.form->drawingDocument().shownDrawing(), chosen);
        w.form->Command1_Click(ToolbarButton::Undo); // what was there comes back
        QCOMPARE(w.persistent(), before);
        w.form->drawingChosen(chosen);
        w.form->Command1_Click(ToolbarButton::DeleteDrawing); // the bin takes the one chosen
        QCOMPARE(w.platform.trashed, QStringList{chosen});
    }
};

QTEST_MAIN(TestPicker)
#include "test_picker.moc"
