// Stamps from the gallery to the canvas, the gallery's pages, and the text tool.

#include "core/files/gallery.h"
#include "gifwriter.h"
#include "testutil.h"
#include "ui/app/brincaro.h"
#include "ui/app/canvaswidget.h"
#include "ui/app/form1.h"
#include "ui/app/picturebox.h"
#include "ui/app/uiutil.h"
#include "ui/files/form2.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace garabix;
using test::colourAt;
using test::countColour;

namespace {

// A main window and its gallery over two categories: "aves" with
// `first` 40-pixel stamps and "peces" with `second` 30-pixel ones.
struct Window : test::MainWindow {
    explicit Window(int first = 4, int second = 20)
        : MainWindow([=](test::ProgramFolder &f) {
              f.writeDefaultConfiguration();
              for (int i = 0; i < first; ++i)
                  f.writeStamp(
                      QStringLiteral("dibujos/aves/s%1.gif").arg(i, 2, 10, QLatin1Char('0')), 40,
                      2);
              for (int i = 0; i < second; ++i)
                  f.writeStamp(
                      QStringLiteral("dibujos/peces/p%1.gif").arg(i, 2, 10, QLatin1Char('0')), 30,
                      2);
          }),
          gallery(std::make_unique<Form2>(*form)) {
        gallery->Form_Load();
    }
    std::unique_ptr<Form2> gallery;
};

// Lets a stamp's animation play out.
void waitForStamp(Form1 &f) {
    QTRY_VERIFY_WITH_TIMEOUT(f.canvas.isEnabled(), 5000);
}

} // namespace

class TestStamps : public QObject {
    Q_OBJECT
private slots:
    void thumbnailSizes() {
        QCOMPARE(gallery::thumbnailSize(3000, 1500), QSizeF(2000, 1000));
        QCOMPARE(gallery::thumbnailSize(1500, 3000), QSizeF(800, 1600));
        QCOMPARE(gallery::thumbnailSize(1800, 1500), QSizeF(1800, 1500));
        QCOMPARE(gallery::thumbnailSize(2100, 2000), QSizeF(2000, 1904));
    }

    void pagingWithFourAndTwentyPictures() {
        Window w;
        QCOMPARE(w.gallery->categoryCount, 2);
        QCOMPARE(w.gallery->Label1.size(), 3); // one more, hidden and empty
        QVERIFY(w.gallery->Label1[2]->isHidden());
        QCOMPARE(w.gallery->Label1[0]->text(), QStringLiteral("aves"));
        for (int k = 0; k < 4; ++k)
            QVERIFY(!w.gallery->pictures[k].isNull());
        for (int k = 4; k < 9; ++k)
            QVERIFY(w.gallery->pictures[k].isNull());
        w.gallery->Command1_Click(1);
        QCOMPARE(w.gallery->pageStart, 0);
        w.gallery->Command1_Click(0);
        QCOMPARE(w.gallery->pageStart, 9);
        w.gallery->Command1_Click(0);
        QCOMPARE(w.gallery->pageStart, 9); // 9 > 4 + 1: stops
        for (const QImage &p : w.gallery->pictures)
            QVERIFY(p.isNull());

        w.gallery->Label1_Click(1);
        QCOMPARE(w.gallery->pageStart, 0);
        QCOMPARE(w.gallery->Label1[0]->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(w.gallery->Label1[1]->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVector<int> starts;
        for (int i = 0; i < 4; ++i) {
            w.gallery->Command1_Click(0);
            starts << w.gallery->pageStart;
        }
        QCOMPARE(starts, (QVector<int>{9, 18, 27, 27}));
        w.gallery->Command1_Click(1);
        QCOMPARE(w.gallery->pageStart, 18);
        QVERIFY(!w.gallery->pictures[0].isNull() && !w.gallery->pictures[1].isNull());
        QVERIFY(w.gallery->pictures[2].isNull());
        QVERIFY(w.form->stamps.stampFiles[0].endsWith("p18.gif"));
        QVERIFY(w.form->stamps.stampFiles[2].endsWith("p11.gif")); // kept from the page before
        QCOMPARE(w.gallery->Image1[0]->size(), QSize(30, 30));
    }

    void hoverPreviewsAreBlockedWhileOnePlays() {
        Window w;
        QSignalSpy ends(w.gallery->Brincaro1, &Brincaro::GifEnd);
        w.gallery->Image1_MouseMove(0);
        QVERIFY(w.gallery->previewPlaying);
        const QString playing = w.gallery->Brincaro1->file();
        w.gallery->Image1_MouseMove(1);
        QCOMPARE(w.gallery->Brincaro1->file(), playing);
        QVERIFY(ends.wait(5000));
        QVERIFY(!w.gallery->previewPlaying);
        QVERIFY(w.gallery->Brincaro1->isHidden());
        w.gallery->Image1_MouseMove(1);
        QVERIFY(w.gallery->Brincaro1->file().endsWith("s01.gif"));
    }

    void clickHandsTheWholePictureToTheStamp() {
        Window w;
        w.gallery->Label1_Click(1);
        w.gallery->Image1_Click(3);
        QCOMPARE(int(w.form->stamps.stampIndex), 3);
        QCOMPARE(w.form->Picture2->backgroundPicture().size(), QSize(30, 30));
        QCOMPARE(w.form->Picture2->geometry().bottom(), 599);
    }

    void stampEndsCentredWithItsWhiteLeftOut() {
        Window w;
        w.gallery->Image1_Click(0); // a 40 x 40 white picture with a black square
        w.form->Command1_Click(2);
        w.form->canvas.setPersistence(true);
        w.form->canvas.line(QPointF(82, 95), QPointF(118, 95), 0x0000FF);
        w.form->canvas.setPersistence(false);
        const double before = w.form->state.undoIndex;
        w.form->Picture1_MouseMove(Qt::NoButton, 100, 80);
        w.form->Picture1_MouseDown(Qt::LeftButton, 100, 80);
        QVERIFY(!w.form->canvas.isEnabled());
        QVERIFY(!w.form->state.stampPreview);
        QVERIFY(!w.form->Picture2->isHidden());
        w.form->Picture1_MouseMove(Qt::LeftButton, 300, 300); // ignored while it plays
        waitForStamp(*w.form);
        QVERIFY(w.form->state.stampPreview);
        QVERIFY(w.form->Brincaro1->isHidden());
        // 40 px = 600 twips, 600 \ 2 / 15 = 20: the corner lands at (80, 60).
        QCOMPARE(colourAt(w.persistent(), 80 + 10, 60 + 10), black);
        QCOMPARE(colourAt(w.persistent(), 80 + 29, 60 + 29), black);
        QCOMPARE(colourAt(w.persistent(), 80 + 5, 60 + 5), white);        // white left out
        QCOMPARE(colourAt(w.persistent(), 85, 95), ColourWord(0x0000FF)); // under white
        QCOMPARE(w.form->state.undoIndex, before + 1); // the stamp is one undo step
        w.form->Command1_Click(8);
        QCOMPARE(colourAt(w.persistent(), 90, 70), white);
    }

    void centringUsesTheControlSize() {
        Window w;
        w.form->Picture2->setPicture(QImage(80, 60, QImage::Format_RGB32));
        w.form->Picture2->resize(80, 60); // 1200 x 900 twips
        QImage black(80, 60, QImage::Format_RGB32);
        black.fill(Qt::black);
        w.form->Picture2->setPicture(black);
        w.form->state.stampX = 100;
        w.form->state.stampY = 80;
        w.form->Brincaro1_GifEnd();
        QCOMPARE(colourAt(w.persistent(), 60, 50), ColourWord(0));
        QCOMPARE(colourAt(w.persistent(), 59, 50), white);
        QCOMPARE(colourAt(w.persistent(), 60, 49), white);
        w.form->canvas.setBackgroundPicture(QImage());
        w.form->Picture2->resize(81, 60); // 1215 twips: 607 / 15 = 40.47, 59.53 -> 60
        w.form->Brincaro1_GifEnd();
        QCOMPARE(colourAt(w.persistent(), 60, 50), ColourWord(0));
        QCOMPARE(colourAt(w.persistent(), 59, 50), white);
    }

    void whiteStampAndUnreadableStamp() {
        Window w;
        QImage white(40, 40, QImage::Format_RGB32);
        white.fill(Qt::white);
        w.form->Picture2->setPicture(white);
        w.form->stamps.stampFiles[w.form->stamps.stampIndex] = w.folder.path() + "/nothing.gif";
        w.form->state.currentTool = tool::stamp;
        const QImage before = w.persistent().copy();
        w.form->Picture1_MouseDown(Qt::LeftButton, 50, 50);
        waitForStamp(*w.form);
        QCOMPARE(w.persistent(), before);
        w.folder.write("dibujos/aves/roto.gif", "GIF89a broken");
        w.form->stamps.stampFiles[w.form->stamps.stampIndex] =
            w.folder.path() + "/dibujos/aves/roto.gif";
        w.form->Picture1_MouseDown(Qt::LeftButton, 50, 50);
        waitForStamp(*w.form);
    }

    // A stamp that does not move lands like an animated one, and the canvas
    // and the gallery stay usable.
    void stillStampsLandAndLeaveEverythingUsable_data() {
        QTest::addColumn<QString>("name");
        for (const char *n : {"one.gif", "still.png", "still.bmp", "cut.gif"})
            QTest::newRow(n) << n;
    }
    void stillStampsLandAndLeaveEverythingUsable() {
        QFETCH(QString, name);
        Window w(0, 0);
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).fillRect(10, 10, 20, 20, Qt::black);
        const QString path = w.folder.path() + "/dibujos/aves/" + name;
        QDir().mkpath(QFileInfo(path).path());
        if (name == "cut.gif") {
            QImage moved = picture;
            QPainter(&moved).fillRect(0, 0, 5, 5, Qt::black);
            QVERIFY(test::writeGifCutAfterFirstFrame(path, {picture, moved, picture}));
        } else if (name == "one.gif") {
            QVERIFY(gif::writeGif(path, {picture}));
        } else {
            QVERIFY(picture.save(path));
        }
        w.gallery->Form_Load();
        w.gallery->Image1_MouseMove(0);
        QTRY_VERIFY_WITH_TIMEOUT(!w.gallery->previewPlaying, 3000);
        w.gallery->Image1_MouseMove(0); // the preview can be played again
        QVERIFY(w.gallery->previewPlaying);
        w.gallery->Image1_Click(0);
        w.form->Command1_Click(2);
        w.form->Picture1_MouseMove(Qt::NoButton, 100, 80);
        w.form->Picture1_MouseDown(Qt::LeftButton, 100, 80);
        w.form->Picture1_MouseUp(Qt::LeftButton, 100, 80);
        waitForStamp(*w.form);
        QVERIFY(w.form->Picture1->isEnabled());
        QCOMPARE(colourAt(w.persistent(), 100, 80), black);
    }

    void noStampFolderAtAll() {
        test::MainWindow w;
        Form1 &form = *w.form;
        Form2 gallery(form);
        gallery.Form_Load();
        QCOMPARE(gallery.categoryCount, 0);
        gallery.Command1_Click(0);
        gallery.Image1_MouseMove(4);
        gallery.Image1_Click(4);
        form.state.currentTool = tool::stamp;
        const QImage before = form.canvas.persistentLayer().copy();
        form.Picture1_MouseDown(Qt::LeftButton, 50, 50);
        waitForStamp(form);
        QCOMPARE(form.canvas.persistentLayer(), before);
    }

    void colouringTheStamp() {
        Window w;
        w.gallery->Image1_Click(0);
        w.form->Command1_Click(4);
        w.form->picPalette_MouseDown(Qt::LeftButton, 6 + 16 * 4 + 5, 8); // green
        w.form->show();
        w.form->Picture2->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QTest::mouseClick(w.form->Picture2, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(int(w.form->state.currentTool), 2);
        const QImage coloured = w.form->Picture2->backgroundPicture();
        QCOMPARE(coloured.pixel(2, 2), qRgb(0, 255, 0));
        QCOMPARE(coloured.pixel(20, 20), qRgb(0, 0, 0));
        w.form->Picture2_MouseDown(Qt::RightButton, 20, 20);
        QCOMPARE(w.form->Picture2->backgroundPicture().pixel(20, 20), qRgb(0, 0, 0));
    }

    void stampPreviewFollowsThePointer() {
        Window w;
        w.gallery->Image1_Click(0);
        w.form->Command1_Click(2);
        w.form->Picture1_MouseMove(Qt::NoButton, 200, 200);
        QCOMPARE(colourAt(w.form->canvas.screenLayer(), 200, 200), black);
        QCOMPARE(colourAt(w.persistent(), 200, 200), white);
        w.form->Picture1_MouseMove(Qt::NoButton, 400, 200);
        QCOMPARE(colourAt(w.form->canvas.screenLayer(), 200, 200), white);
        QCOMPARE(colourAt(w.form->canvas.screenLayer(), 400, 200), black);
    }

    void textPanelPreviewAndCommit() {
        Window w;
        w.form->state.texts[29] = QStringLiteral("Escribe");
        w.form->Text1->setText(QStringLiteral("viejo"));
        w.form->Command1_Click(23);
        QVERIFY(!w.form->Picture4->isHidden());
        QCOMPARE(w.form->Text1->text(), QString());
        QVERIFY(w.form->Text1->isEnabled());
        QCOMPARE(w.form->Picture4->geometry().bottomRight(), QPoint(799, 599));
        w.form->Picture1_MouseMove(Qt::NoButton, 100, 100);
        QVERIFY(countColour(w.form->canvas.screenLayer(), black, QRect(95, 95, 200, 60)) > 20);
        const QImage before = w.persistent().copy();
        w.form->Picture1_MouseDown(Qt::LeftButton, 100, 100);
        w.form->Picture1_MouseUp(Qt::LeftButton, 100, 100);
        QCOMPARE(w.persistent(), before); // an empty text prints nothing
        QCOMPARE(w.form->state.undoIndex, 1.0);

        w.form->Text1->setText(QStringLiteral("Hola ñandú 🌈"));
        QCOMPARE(w.form->canvas.screenLayer(), w.persistent()); // the change repainted
        w.form->Command4_Click();
        QVERIFY(w.form->Picture4->isHidden());
        w.form->Picture1_MouseMove(Qt::NoButton, 100, 300);
        w.form->Picture1_MouseDown(Qt::LeftButton, 100, 300);
        w.form->Picture1_MouseUp(Qt::LeftButton, 100, 300);
        QVERIFY(countColour(w.persistent(), black, QRect(95, 295, 300, 60)) > 20);
    }

    void boldItalicAndSizes() {
        Window w;
        for (int i = 0; i < 2; ++i) {
            QVERIFY(widgetColour(w.form->Command3[i]) != long(white));
            w.form->Command3_Click(i); // first press: white, style off
            QCOMPARE(widgetColour(w.form->Command3[i]), long(white));
            w.form->Command3_Click(i);
            QCOMPARE(widgetColour(w.form->Command3[i]), 0xFF0000L);
        }
        QVERIFY(w.form->canvas.font().bold() && w.form->Text1->font().bold());
        QVERIFY(w.form->canvas.font().italic() && w.form->Text1->font().italic());
        w.form->Command3_Click(0);
        QVERIFY(!w.form->canvas.font().bold() && w.form->canvas.font().italic());

        w.form->Combo1->setEditText("7");
        w.form->Combo1_Click();
        QCOMPARE(w.form->canvas.font().pointSizeF(), 18.0);
        w.form->Combo1->setEditText("72");
        w.form->Combo1_Click();
        QCOMPARE(w.form->canvas.font().pointSizeF(), 72.0);
        QCOMPARE(w.form->Text1->font().pointSizeF(), 72.0);
        w.form->Combo1->setEditText("73");
        w.form->Combo1_Click();
        QCOMPARE(w.form->canvas.font().pointSizeF(), 72.0);
        w.form->Combo2->setEditText("DejaVu Serif");
        w.form->Combo2_Click();
        QCOMPARE(w.form->canvas.font().family(), QStringLiteral("DejaVu Serif"));
    }
};

QTEST_MAIN(TestStamps)
#include "test_stamps.moc"
