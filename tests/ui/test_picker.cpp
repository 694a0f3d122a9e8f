// "Mis dibujos", the picker of saved drawings: newest first, chosen by keys
// or clicks on any page, in the language file's language, the same size
// empty or full, damaged drawings named, and thumbnails that follow the
// drawing a file holds now.

#include "core/files/drawings.h"
#include "testutil.h"
#include "ui/picker/drawingpicker.h"
#include "ui/picker/slideshow.h"
#include "ui/picker/thumbnails.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace garabix;

class TestPicker : public QObject {
    Q_OBJECT
private slots:
    // The picker in the language file's language; with no drawing it keeps
    // its size and invites, the arrows hidden; its heading and arrows stay
    // put on a last page of one; a damaged drawing is a named tile, and
    // choosing it leaves the canvas as it was with a note; the drawing on
    // show is framed when the picker opens.
    void pickerEmptyDamagedAndOnShow() {
        QTemporaryDir cache;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        test::LoadedMainWindow w([](test::ProgramFolder &f) {
            f.writeDefaultConfiguration();
            f.write("configuracion/idioma.txt",
                    test::readFile(test::shippedConfiguration("idiomas/english.txt")));
            f.mkdir("misdibujos");
        });
        DrawingPicker picker(*w.form);
        const auto heading = [&] { return picker.findChild<QLabel *>(widgetname::heading); };
        const auto arrow = [&] {
            return picker.findChild<QToolButton *>(widgetname::pickerPageButton(1));
        };
        picker.open(w.drawings());
        QTRY_VERIFY(picker.pageReady());
        picker.show();
        QCOMPARE(picker.windowTitle(), QString("My drawings"));
        QCOMPARE(heading()->text(), QString("My drawings"));
        QVERIFY(picker.findChild<QWidget *>(widgetname::emptyNote)->isVisible() &&
                arrow()->isHidden());
        QVERIFY(picker.findChild<QWidget *>(widgetname::emptyNote)
                    ->findChildren<QLabel *>()
                    .value(1)
                    ->text() == "Your drawings will appear here");
        const QSize empty = picker.size();

        test::otherCopySaves(w.drawings(), 13, 0);
        const QByteArray five = test::readFile(w.drawings() + "5.bmp");
        w.folder.write("misdibujos/5.bmp", five.left(five.size() / 2)); // cut short
        w.folder.write("misdibujos/6.bmp", "");                         // empty
        w.folder.write("misdibujos/7.bmp", five.left(54));              // a header alone
        picker.open(w.drawings());
        QTRY_VERIFY(picker.pageReady());
        QCOMPARE(picker.size(), empty);
        QVERIFY(heading()->text().startsWith("My drawings  1 / 2") && arrow()->isVisible());
        const QRect top = heading()->geometry(), side = arrow()->geometry();
        picker.showPage(1);
        QTRY_VERIFY(picker.pageReady());
        QCOMPARE(picker.pageDrawings().size(), 1);
        QCOMPARE(heading()->geometry(), top);
        QCOMPARE(arrow()->geometry(), side);
        picker.choose(0); // the drawing on page 2, not the first of page 1
        QVERIFY(w.settle());
        QCOMPARE(w.form->drawingDocument().shownDrawing(), picker.drawings().value(12));

        int damaged = 0;
        for (const char *name : {"6.bmp", "7.bmp", "5.bmp"}) {
            damaged = static_cast<int>(picker.drawings().indexOf(w.drawings() + name));
            picker.showPage(damaged / DrawingPicker::perPage);
            QTRY_VERIFY(picker.pageReady());
            const auto tile = picker.findChild<QToolButton *>(
                widgetname::pickerTile(damaged % DrawingPicker::perPage));
            QCOMPARE(tile->icon().pixmap(thumbnails::maxSize).toImage(),
                     thumbnails::damagedTile(name));
        }
        const QImage before = w.persistent().copy();
        picker.choose(damaged % DrawingPicker::perPage);
        QVERIFY(w.settle());
        QCOMPARE(w.persistent(), before);
        QCOMPARE(w.platform.notices.value(0),
                 QString("The drawing 5.bmp is damaged and cannot be opened."));

        w.form->drawingChosen(picker.drawings().value(DrawingPicker::perPage));
        QVERIFY(w.settle());
        picker.open(w.drawings());
        QTRY_VERIFY(picker.pageReady());
        QCOMPARE(picker.page(), 1);
        QCOMPARE(picker.focusWidget(), picker.findChild<QWidget *>(widgetname::pickerTile(0)));

        // A damaged drawing on the second page is named as itself, never
        // after the drawing in its place on the first page.
        const QDateTime written = QFileInfo(w.drawings() + "0.bmp").lastModified();
        w.folder.write("misdibujos/0.bmp", five.left(54));
        QFile zero(w.drawings() + "0.bmp"); // still the oldest, still on page 2
        QVERIFY(zero.open(QIODevice::Append) &&
                zero.setFileTime(written, QFileDevice::FileModificationTime));
        zero.close();
        picker.open(w.drawings());
        QTRY_VERIFY(picker.pageReady());
        picker.showPage(1);
        QTRY_VERIFY(picker.pageReady());
        QCOMPARE(picker.findChild<QToolButton *>(widgetname::pickerTile(0))
                     ->icon()
                     .pixmap(thumbnails::maxSize)
                     .toImage(),
                 thumbnails::damagedTile("0.bmp"));
        picker.choose(0);
        QVERIFY(w.settle());
        QCOMPARE(w.platform.notices.value(1),
                 QString("The drawing 0.bmp is damaged and cannot be opened."));
    }

    // "Mis dibujos": the saved drawings as pictures, newest first, opened by
    // its button and Ctrl+O; the keys choose one, which shows on the canvas as
    // the picture buttons show it (undo brings back what was there, the bin
    // deletes it); Escape changes nothing; broken files show a placeholder.
    void newestFirstChosenByKeysUndoneAndEscaped() {
        QVector<QColor> colours; // by age, the newest first
        test::LoadedMainWindow w([&](test::ProgramFolder &f) {
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
                        file.setFileTime(now.addSecs(n * 60 - 3600),
                                         QFileDevice::FileModificationTime));
            }
            f.write("misdibujos/roto.bmp", "BM not a picture"); // the newest of all
        });
        // A cache of this test's own: other tests open pickers too.
        QTemporaryDir cache;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        DrawingPicker picker(*w.form);
        w.form->showPicker = [&](const QString &folder) {
            picker.open(folder);
            QTRY_VERIFY(picker.pageReady());
            picker.show();
        };
        QSignalSpy shown(&picker, &DrawingPicker::pageShown);
        QTest::mouseClick(w.control<QPushButton>(widgetname::myDrawingsButton), Qt::LeftButton);
        QVERIFY(shown.count() == 1 || shown.wait(10000));
        QCOMPARE(picker.drawings().size(), 15);
        QVERIFY(picker.drawings().first().endsWith("roto.bmp"));
        QVERIFY(picker.drawings()[1].endsWith("/13.bmp"));
        QCOMPARE(picker.pageCount(), 2);
        QVERIFY(picker.findChild<QToolButton *>(widgetname::pickerTile(0))->width() >= 120);
        const QImage broken = picker.findChild<QToolButton *>(widgetname::pickerTile(0))
                                  ->icon()
                                  .pixmap(thumbnails::maxSize)
                                  .toImage();
        QCOMPARE(broken, thumbnails::damagedTile("roto.bmp"));
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
        QVERIFY(w.settle());
        const QString chosen = picker.drawings()[9];
        QCOMPARE(w.persistent().pixel(5, 5), colours[8].rgb());
        QCOMPARE(w.form->drawingDocument().shownDrawing(), chosen);
        w.form->runToolbarButton(ToolbarButton::Undo); // what was there comes back
        QCOMPARE(w.persistent(), before);
        w.form->drawingChosen(chosen);
        QVERIFY(w.settle());
        w.form->runToolbarButton(ToolbarButton::DeleteDrawing); // the bin takes the one chosen
        QCOMPARE(w.platform.trashed, QStringList{chosen});
    }

    // "Copiar a mis imágenes" copies the drawing whose picture has the
    // focus out as a PNG into the pictures folder (of a home of the test's
    // own), and a damaged one is named in a note instead; each note shows on
    // the picker, where the child looks, and names the file. A second press
    // while a copy is being made does nothing.
    void theFocusedDrawingIsCopiedToMyPictures() {
        QTemporaryDir home, cache;
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        test::LoadedMainWindow w;
        w.folder.mkdir("misdibujos");
        test::otherCopySaves(w.drawings(), 3, 9);
        w.folder.write("misdibujos/roto.bmp", "BM not a picture"); // the newest
        DrawingPicker picker(*w.form);
        picker.open(w.drawings());
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QTRY_VERIFY(picker.pageReady());
        auto *copy = picker.findChild<QPushButton *>(widgetname::copyButton);
        QCOMPARE(copy->text(), QString("Copiar a mis imágenes"));
        picker.findChild<QWidget *>(widgetname::pickerTile(2))->setFocus();
        QTest::mouseClick(copy, Qt::LeftButton);
        QTest::mouseClick(copy, Qt::LeftButton);
        QVERIFY(w.settle());
        picker.findChild<QWidget *>(widgetname::pickerTile(0))->setFocus();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not be read.*roto.bmp"));
        QTest::mouseClick(copy, Qt::LeftButton);
        QVERIFY(w.settle());
        qputenv("HOME", realHome);
        const QStringList copies = QDir(home.filePath("Pictures")).entryList({"garabix-*.png"});
        QCOMPARE(copies.size(), 1);
        QCOMPARE(QImage(home.filePath("Pictures/") + copies.first())
                     .convertToFormat(QImage::Format_RGB32),
                 QImage(picker.drawings().value(2)).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(w.platform.notices.value(0),
                 "Copiado a tus imágenes: " + home.filePath("Pictures/") + copies.first());
        QCOMPARE(w.platform.notices.value(1),
                 QString("El dibujo roto.bmp está estropeado y no se puede abrir."));
        QCOMPARE(w.platform.notices.size(), 2);
        QCOMPARE(w.platform.noticeWindows, (QVector<QWidget *>{&picker, &picker}));
    }

    // A thumbnail belongs to the drawing a file holds: a drawing deleted and
    // its number saved again with another picture gets a thumbnail of its own.
    void aNumberSavedAgainGetsItsOwnThumbnail() {
        QTemporaryDir cache, dir;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        const QString path = dir.filePath("0.bmp");
        QImage picture(64, 48, QImage::Format_RGB32);
        for (const QColor colour : {QColor(Qt::red), QColor(Qt::blue)}) {
            picture.fill(colour);
            QFile::remove(path);
            QVERIFY(drawings::writeBmp(picture, path));
            QCOMPARE(thumbnails::thumbnail(path).pixelColor(10, 10), colour);
        }
    }

    // The slideshow over a class's folder: every good drawing of the folder
    // and its subfolders once, newest first, each with its pupil's folder as
    // the caption, a damaged one skipped; a drawing saved meanwhile comes
    // next; the arrows step both ways, and Escape ends the show. The play
    // button of the picker starts it on the picker's folder.
    void slideshowOverAClassFolder() {
        QTemporaryDir cls;
        QDir(cls.path()).mkpath("ana");
        QDir(cls.path()).mkpath("luis");
        QDir(cls.path()).mkpath(".oculto");
        const QDateTime start = QDateTime::currentDateTime().addSecs(-600);
        int written = 0;
        const auto drawing = [&](const QString &relative, QRgb colour) {
            QImage picture(64, 48, QImage::Format_RGB32);
            picture.fill(colour);
            // Written whole under a hidden name, then moved into place, as
            // the program saves: the show never lists it half made.
            const QString path = cls.path() + '/' + relative;
            const QString hidden = QFileInfo(path).path() + "/.writing.bmp";
            QVERIFY(drawings::writeBmp(picture, hidden));
            QFile f(hidden);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(
                f.setFileTime(start.addSecs(10 * ++written), QFileDevice::FileModificationTime));
            f.close();
            QVERIFY(QFile::rename(hidden, path));
        };
        drawing("0.bmp", qRgb(255, 0, 0));
        drawing("ana/0.bmp", qRgb(0, 255, 0));
        drawing("luis/0.bmp", qRgb(0, 0, 255));
        drawing("ana/1.bmp", qRgb(255, 255, 0));
        drawing(".oculto/0.bmp", qRgb(9, 9, 9));
        test::ProgramFolder junk;
        junk.write("x", QByteArray("BM") + QByteArray(60, 'x'));
        QVERIFY(QFile::copy(junk.path() + "/x", cls.path() + "/luis/5.bmp")); // damaged, newest

        Slideshow show(cls.path(), QStringLiteral("nada"));
        show.resize(320, 240);
        show.setInterval(40);
        show.setRelistInterval(150);
        QStringList seen, captions;
        auto *caption = show.findChild<QLabel *>(widgetname::slideshowCaption);
        connect(&show, &Slideshow::drawingShown, this, [&](const QString &path) {
            seen << QDir(cls.path()).relativeFilePath(path);
            captions << (!caption->isHidden() ? caption->text() : "-");
        });
        show.show();
        QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 5, 10000);
        const QStringList order = {"ana/1.bmp", "luis/0.bmp", "ana/0.bmp", "0.bmp", "ana/1.bmp"};
        QCOMPARE(seen.mid(0, 5), order);
        QCOMPARE(captions.mid(0, 4), (QStringList{"ana", "luis", "ana", "-"}));
        // Saved while the show runs: next after the drawing on show.
        drawing("luis/1.bmp", qRgb(0, 255, 255));
        const int before = static_cast<int>(seen.size());
        QTRY_VERIFY_WITH_TIMEOUT(seen.mid(before).contains("luis/1.bmp"), 10000);
        // In the show once, beside the four good ones before it; the damaged
        // one is gone. Until it comes again, each of the others is shown once.
        const int at = static_cast<int>(seen.indexOf("luis/1.bmp", before));
        QTRY_VERIFY_WITH_TIMEOUT(seen.indexOf("luis/1.bmp", at + 1) > at, 10000);
        QStringList between = seen.mid(at + 1, seen.indexOf("luis/1.bmp", at + 1) - at - 1);
        between.sort();
        QCOMPARE(between, (QStringList{"0.bmp", "ana/0.bmp", "ana/1.bmp", "luis/0.bmp"}));
        QCOMPARE(show.order().size(), size_t(5));
        QCOMPARE(std::count_if(show.order().begin(), show.order().end(),
                               [](const TreeDrawing &d) { return d.path.endsWith("luis/1.bmp"); }),
                 1);
        // The keys: a step back shows the drawing before, again; the switch
        // steps on while the switch scans the other windows.
        show.setInterval(60000);
        Access scanning({true, 2000, QKeyCombination(Qt::Key_F2)});
        const int beforeSwitch = static_cast<int>(seen.size());
        QTest::keyClick(&show, Qt::Key_F2);
        QTRY_VERIFY(seen.size() > beforeSwitch);
        int i = static_cast<int>(seen.size());
        QTest::keyClick(&show, Qt::Key_Right);
        QTRY_VERIFY(seen.size() > i);
        const QString now = show.shownPath();
        i = static_cast<int>(seen.size());
        QTest::keyClick(&show, Qt::Key_Right);
        QTRY_VERIFY(seen.size() == i + 1);
        QVERIFY(show.shownPath() != now);
        QTest::keyClick(&show, Qt::Key_Left);
        QTRY_VERIFY(seen.size() == i + 2);
        QCOMPARE(show.shownPath(), now);
        QSignalSpy ended(&show, &Slideshow::ended);
        QTest::keyClick(&show, Qt::Key_Escape);
        QCOMPARE(ended.size(), 1);
        QVERIFY(show.isHidden());

        // From the picker: its play button, on an empty folder, says so.
        test::LoadedMainWindow w;
        QTemporaryDir empty;
        DrawingPicker picker(*w.form);
        picker.open(empty.path());
        QTRY_VERIFY(picker.pageReady());
        QTest::mouseClick(picker.findChild<QPushButton *>(widgetname::slideshowButton),
                          Qt::LeftButton);
        QVERIFY(picker.slideshow());
        QVERIFY(picker.slideshow()->isFullScreen());
        QCOMPARE(picker.slideshow()->geometry(), picker.slideshow()->screen()->geometry());
        const QList<QLabel *> labels = picker.slideshow()->findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&](QLabel *l) {
            return l->isVisible() && l->text() == w.form->text(config::Text::PickerEmpty);
        }));
        QTest::mouseClick(picker.slideshow(), Qt::LeftButton);
        QTRY_VERIFY(!picker.slideshow());
    }
};

QTEST_MAIN(TestPicker)
#include "test_picker.moc"
