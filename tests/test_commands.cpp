// The tool-bar commands on a loaded main window, and the welcome window.

#include "gifwriter.h"
#include "testutil.h"
#include "ui/app/brincaro.h"
#include "ui/app/form1.h"
#include "ui/app/picturebox.h"
#include "ui/welcome/form3.h"

#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace garabix;
using test::colourAt;

namespace {

QImage solid(QSize size, QRgb c) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// A main window over a folder of `scenes` one-colour scenes: red, green, blue.
struct Window : test::MainWindow {
    explicit Window(int scenes = 3)
        : MainWindow([scenes](test::ProgramFolder &f) {
              f.writeDefaultConfiguration();
              QDir(f.path()).mkpath("escenarios");
              const QRgb colours[3] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
              for (int n = 1; n <= scenes; ++n)
                  gif::writeGif(QStringLiteral("%1/escenarios/%2.gif").arg(f.path()).arg(n),
                                {solid(QSize(32, 18), colours[(n - 1) % 3])});
          }) {}
    ColourWord corner() const { return colourAt(persistent(), 5, 5); }
};

constexpr ColourWord red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000;

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void scenesWrapBothWays() {
        Window w;
        QCOMPARE(w.form->state.sceneCount, 3);
        QVector<ColourWord> forward;
        for (int i = 0; i < 4; ++i) {
            w.form->Command1_Click(1);
            forward << w.corner();
        }
        QCOMPARE(forward, (QVector<ColourWord>{red, green, blue, red}));
        // Stretched over the whole canvas.
        const QSize s = w.persistent().size();
        QCOMPARE(colourAt(w.persistent(), s.width() - 1, s.height() - 1), red);

        Window back;
        QVector<ColourWord> backward;
        for (int i = 0; i < 4; ++i) {
            back.form->Command1_Click(0);
            backward << back.corner();
        }
        QCOMPARE(backward, (QVector<ColourWord>{blue, green, red, blue}));
        QCOMPARE(back.form->state.undoIndex, 4.0); // a snapshot per scene
    }

    void missingSceneRepaintsTheLastOne() {
        Window w(2);
        w.form->Command1_Click(1);
        QFile::remove(w.folder.path() + "/escenarios/2.gif");
        w.form->canvas.setPersistence(true);
        w.form->canvas.line(QPointF(0, 5), QPointF(50, 5), black);
        w.form->canvas.setPersistence(false);
        w.form->Command1_Click(1);
        QCOMPARE(w.corner(), red); // Picture6 still held scene 1
        QCOMPARE(int(w.form->state.sceneIndex), 2);

        Window none(0);
        none.form->Command1_Click(1);
        QCOMPARE(none.corner(), white);
        QCOMPARE(none.form->state.undoIndex, 1.0);
    }

    void mirrorTwiceGivesThePictureBack() {
        Window w;
        QImage stamp = solid(QSize(30, 20), qRgb(255, 255, 255));
        for (int y = 5; y < 15; ++y)
            for (int x = 3; x < 10; ++x)
                stamp.setPixel(x, y, qRgb(200, 0, 0));
        w.form->Picture2->setPicture(stamp);
        w.form->Command1_Click(3);
        const QImage once = w.form->Picture2->backgroundPicture();
        QCOMPARE(once.pixel(29 - 5, 10), qRgb(200, 0, 0));
        QCOMPARE(once.pixel(5, 10), qRgb(255, 255, 255));
        w.form->Command1_Click(3);
        QCOMPARE(w.form->Picture2->backgroundPicture(), stamp);
        QCOMPARE(w.form->Picture2->surface.fillColour(), white);
    }

    void mirrorTurnsTheCornerRegionsWhite() {
        Window w;
        QImage stamp = solid(QSize(20, 20), qRgb(0, 0, 255)); // a coloured background
        for (int y = 6; y < 14; ++y)
            for (int x = 6; x < 14; ++x)
                stamp.setPixel(x, y, qRgb(0, 0, 0));
        w.form->Picture2->setPicture(stamp);
        w.form->Command1_Click(3);
        const QImage m = w.form->Picture2->backgroundPicture();
        QCOMPARE(m.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(m.pixel(19, 19), qRgb(255, 255, 255));
        QCOMPARE(m.pixel(10, 10), qRgb(0, 0, 0));
    }

    void saveAndBrowseThroughTheButtons() {
        Window w;
        const QImage blank = w.persistent().copy();
        w.drag(QPointF(10, 10), QPointF(200, 10));
        const QImage drawn = w.persistent().copy();
        w.form->Command1_Click(11);
        QVERIFY(QFileInfo::exists(w.folder.path() + "/misdibujos/0.bmp"));
        QCOMPARE(w.form->state.drawingCount, int16_t(1));
        QCOMPARE(w.platform.notices, QStringList{"Guardado: 0.bmp"});
        QCOMPARE(w.platform.problems, QVector<bool>{false});
        w.form->Command1_Click(9);
        QCOMPARE(w.persistent(), blank);
        w.form->Command1_Click(13); // the only drawing is shown
        QCOMPARE(w.persistent(), drawn);
        QVERIFY(!w.form->state.drawingModified);
        // A damaged file leaves the canvas as it was.
        w.folder.write("misdibujos/1.bmp", "BM not really");
        w.form->Command1_Click(9);
        w.form->Command1_Click(13);
        QCOMPARE(w.persistent(), blank);
        // ...and is not the drawing on show, so the bin leaves it alone.
        w.form->Command1_Click(14);
        QVERIFY(QFileInfo::exists(w.folder.path() + "/misdibujos/1.bmp"));
        QVERIFY(w.platform.trashed.isEmpty());
    }

    void showingASavedDrawingKeepsTheUnsavedOneForUndo() {
        Window w;
        w.drag(QPointF(10, 10), QPointF(200, 10));
        w.form->Command1_Click(11);
        w.form->Command1_Click(9);
        w.drag(QPointF(10, 50), QPointF(10, 150)); // unsaved work
        const QImage unsaved = w.persistent().copy();
        w.form->Command1_Click(13);
        QVERIFY(w.persistent() != unsaved);
        w.form->Command1_Click(8);
        QCOMPARE(w.persistent(), unsaved);
    }

    void deleteRemovesTheDrawingOnShowOnce() {
        Window w;
        for (int k = 0; k < 3; ++k) {
            w.drag(QPointF(10, 10 + 20 * k), QPointF(200, 10 + 20 * k));
            w.form->Command1_Click(11);
        }
        const QString folder = w.folder.path() + "/misdibujos/";
        w.form->Command1_Click(14); // nothing shown yet: nothing deleted
        QVERIFY(w.platform.trashed.isEmpty());
        w.form->Command1_Click(13);
        w.form->Command1_Click(13); // 1.bmp on show
        const QImage shown = w.persistent().copy();
        // No trash to be had: the drawing stays, and a parent is told.
        w.platform.trashWorks = false;
        w.form->Command1_Click(14);
        QVERIFY(QFileInfo::exists(folder + "1.bmp"));
        QVERIFY(w.platform.problems.last());
        w.platform.trashWorks = true;
        w.form->Command1_Click(14);
        w.form->Command1_Click(14);
        QCOMPARE(w.platform.trashed, QStringList{folder + "1.bmp"});
        QVERIFY(QFileInfo::exists(folder + "0.bmp") && QFileInfo::exists(folder + "2.bmp"));
        QCOMPARE(w.form->state.drawingCount, int16_t(2));
        // The picture stays on the canvas, unsaved: saving brings it back.
        QCOMPARE(w.persistent(), shown);
        w.form->Command1_Click(11);
        QVERIFY(QFileInfo::exists(folder + "1.bmp"));
        QCOMPARE(QImage(folder + "1.bmp").convertToFormat(QImage::Format_RGB32),
                 shown.convertToFormat(QImage::Format_RGB32));
        // A save, a new drawing or a scene replaces the drawing on show.
        for (int command : {11, 9, 1}) {
            w.form->Command1_Click(12);
            w.drag(QPointF(300, 300), QPointF(310, 300));
            w.form->Command1_Click(command);
            w.form->Command1_Click(14);
        }
        QCOMPARE(w.platform.trashed.size(), 1);
    }

    void everySaveSaysWhatHappened() {
        Window w;
        w.form->Command1_Click(11);
        QCOMPARE(w.platform.problems, QVector<bool>{false}); // nothing new: already saved
        QVERIFY(QDir(w.folder.path() + "/misdibujos").isEmpty());
        // The limit of mdg.txt reached.
        w.form->state.maxDrawings = 0;
        w.drag(QPointF(10, 10), QPointF(200, 10));
        w.form->Command1_Click(11);
        QVERIFY(w.platform.problems.last());
        QVERIFY(w.platform.notices.last().contains("mdg.txt"));
        // A folder that cannot be written.
        w.form->state.maxDrawings = 500;
        const QString folder = w.folder.path() + "/misdibujos";
        QVERIFY(QDir(folder).removeRecursively());
        w.folder.write("misdibujos", "a file where the folder should be");
        w.form->Command1_Click(11);
        QVERIFY(w.platform.problems.last());
        QVERIFY(w.platform.notices.last().contains("misdibujos"));
        QVERIFY(w.form->state.drawingModified);
        QCOMPARE(w.platform.problems.count(false), 1);
    }

    void closingTheWindowAsksFirst() {
        Window w;
        w.form->show();
        w.drag(QPointF(10, 10), QPointF(200, 10));
        w.platform.answer = false;
        QVERIFY(!w.form->close());
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.platform.questions, QStringList{"t28"});
        QCOMPARE(w.platform.quits, 0);
        w.platform.answer = true;
        QVERIFY(w.form->close());
        QCOMPARE(w.platform.quits, 1);
    }

    void theQuitQuestionSpeaksTheDesktopsLanguageAndDefaultsToNo() {
        QVERIFY(installQtTranslations(QLocale(QLocale::Spanish, QLocale::Spain)));
        const std::unique_ptr<QMessageBox> box(questionBox(nullptr, "¿Salir?"));
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        QCOMPARE(box->button(QMessageBox::Yes)->text().remove('&'), QString("Sí"));
        QCOMPARE(box->button(QMessageBox::No)->text().remove('&'), QString("No"));
        QCOMPARE(box->textFormat(), Qt::PlainText);
    }

    void welcomeToggleColoursAndEnter() {
        test::ProgramFolder folder;
        test::RecordingPlatform platform;
        Form3 f(folder.path(), platform);
        f.Form_Load();
        QVERIFY(f.Label3->isHidden());
        QCOMPARE(f.Command1->text(), Form3::licenceCaption);
        f.Command1_Click();
        QVERIFY(!f.Label3->isHidden());
        for (QLabel *l : f.Label2)
            QVERIFY(l->isHidden());
        QCOMPARE(f.Command1->text(), QStringLiteral("Autor"));
        f.Command1_Click();
        QVERIFY(f.Label3->isHidden());
        QVERIFY(!f.Label2[3]->isHidden());
        QCOMPARE(f.Command1->text(), Form3::licenceCaption);
        QCOMPARE(platform.waited, (QStringList{"sonido1.wav", "sonido1.wav"}));
        QVERIFY(f.Command2->isDefault());

        // The same colour sequence at every launch: k = round-half-even(r * 15).
        Random copy;
        for (int i = 0; i < 40; ++i) {
            f.Timer1_Timer();
            const int k = static_cast<int>(std::nearbyint(double(copy.next()) * 15));
            QCOMPARE(f.Label1->palette().color(QPalette::WindowText).rgb(), Form3::labelColour(k));
        }
        Form3 again(folder.path(), platform);
        again.Timer1_Timer();
        Random fresh;
        QCOMPARE(again.Label1->palette().color(QPalette::WindowText).rgb(),
                 Form3::labelColour(static_cast<int>(std::nearbyint(double(fresh.next()) * 15))));
    }

    void enterShowsTheMainWindowWhoseLoadClosesTheWelcome() {
        test::ProgramFolder folder;
        folder.writeDefaultConfiguration();
        folder.writeStamp("camina.gif");
        test::RecordingPlatform platform;
        Form3 welcome(folder.path(), platform);
        Form1 main(folder.path(), platform);
        main.setWelcomeWindow(&welcome);
        welcome.showMainWindow = [&] {
            main.resize(800, 600);
            main.show();
        };
        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        QTest::keyClick(welcome.Label1,
                        Qt::Key_Return); // the default button, wherever the focus is
        QVERIFY(welcome.Timer1.isActive());
        QVERIFY(welcome.Brincaro1->movie() &&
                welcome.Brincaro1->movie()->state() == QMovie::Running);
        QTRY_VERIFY(main.isLoaded());
        QVERIFY(!welcome.isVisible());
        // Closed for good: its colour timer and walker stop with it.
        QVERIFY(!welcome.Timer1.isActive());
        QVERIFY(welcome.Brincaro1->movie()->state() != QMovie::Running);
        QVERIFY(platform.waited.contains("sonido3.wav"));
    }
};

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
