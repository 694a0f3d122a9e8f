// Form_Load in temporary program folders: start values, folders, broken files.

#include "core/app/layout.h"
#include "testutil.h"
#include "ui/app/brincaro.h"
#include "ui/app/canvaswidget.h"
#include "ui/app/form1.h"
#include "ui/app/picturebox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace garabix;

namespace {

// A main window loaded for an 800 x 600 client area.
struct Loaded {
    explicit Loaded(const QString &path) : form(path, platform) {
        form.resize(800, 600);
        form.Form_Load();
    }
    test::RecordingPlatform platform;
    Form1 form;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startValues() {
        test::ProgramFolder folder;
        folder.writeDefaultConfiguration();
        folder.write("escenarios/1.gif", "x");
        folder.write("escenarios/2.gif", "x");
        folder.writeStamp("dibujos/b/uno.gif");
        folder.writeStamp("dibujos/a/dos.gif", 30);
        Loaded l(folder.path());
        const DrawingState &s = l.form.state;
        QCOMPARE(s.currentTool, tool::pencil);
        QCOMPARE(s.lineWidth, 1.0);
        QCOMPARE(s.undoIndex, 0.0);
        QCOMPARE(s.colorRed + s.colorGreen + s.colorBlue, 0.0);
        QCOMPARE(s.sprayRadius, int16_t(60));
        QVERIFY(s.stampPreview);
        QCOMPARE(s.twipsPerPixel, int16_t(15));
        QCOMPARE(s.maxDrawings, int16_t(500));
        QCOMPARE(s.gridSpacing, int16_t(20));
        QCOMPARE(s.sceneCount, 2);
        QCOMPARE(s.drawingCount, int16_t(0));
        QCOMPARE(s.texts[29], QStringLiteral("t29"));
        QCOMPARE(l.form.Command1[27]->toolTip(), QStringLiteral("<qt>t27</qt>"));
        QVERIFY(QFileInfo(folder.path() + "/misdibujos").isDir());
        QCOMPARE(l.form.File1.path(), folder.path() + "/misdibujos");
        // The first stamp of the first category (name order): a/dos.gif.
        QCOMPARE(l.form.stamps.stampFiles[0], folder.path() + "/dibujos/a/dos.gif");
        QCOMPARE(l.form.Picture2->backgroundPicture().size(), QSize(30, 30));
        QCOMPARE(l.form.Picture2->geometry().bottom(), 599);
        QVERIFY(l.form.Picture2->isHidden());
        QVERIFY(l.form.Picture4->isHidden());
        QVERIFY(l.form.Picture5->isHidden());
        QVERIFY(l.form.Brincaro1->isHidden());
        QVERIFY(!l.form.Text1->isEnabled());
        QCOMPARE(l.form.Combo1->count(), 19);
        QCOMPARE(l.form.Combo1->itemText(0), QStringLiteral("12"));
        QCOMPARE(l.form.Combo1->itemText(18), QStringLiteral("48"));
        QCOMPARE(l.form.Combo1->currentText(), QStringLiteral("18"));
        QCOMPARE(l.form.Combo2->currentText(), QStringLiteral("Arial"));
        QCOMPARE(l.form.canvas.font().pointSizeF(), 18.0);
        QCOMPARE(test::countColour(l.form.canvas.persistentLayer(), white),
                 l.form.canvas.size().width() * l.form.canvas.size().height());
    }

    void layoutFollowsTheClientArea() {
        test::ProgramFolder folder;
        folder.writeDefaultConfiguration();
        Loaded l(folder.path());
        // 800 x 600 pixels at 15 twips: the frame of the layout case.
        QCOMPARE(l.form.Picture1->geometry(), QRect(121, 23, 679, 549));
        QCOMPARE(l.form.canvas.size(), QSize(679, 549));
        QCOMPARE(l.form.Command1[2]->geometry(), QRect(80, 0, 41, 41));
        const QRect pen0 = l.form.Command5[0]->geometry();
        QCOMPARE(pen0.left(), 121 + 33);
        for (int i = 1; i < 10; ++i)
            QCOMPARE(l.form.Command5[i]->geometry().left(),
                     l.form.Command5[i - 1]->geometry().right() + 1);
        QCOMPARE(l.form.Picture5->geometry().right(), 799);
        QCOMPARE(l.form.Picture5->geometry().top(), l.form.Picture1->geometry().top());
        // Grid built for the canvas: 679/20 = 33 columns, 549/20 = 27 rows.
        QCOMPARE(l.form.grid.gridLineCount, 33 + 27 + 1);
        QCOMPARE(l.form.grid.gridDotCount, 33 * 27);
        QVERIFY(!l.form.grid.linesVisible && !l.form.grid.dotsVisible);
    }

    void missingAndBrokenFiles() {
        test::ProgramFolder folder;
        folder.write("configuracion/mdg.txt", "");
        folder.write("configuracion/anchorejilla.txt", "\x01\x02garbage");
        folder.mkdir("Configuracion/idioma.txt/"); // a folder where a file should be
        folder.mkdir("dibujos");                   // no category
        Loaded l(folder.path());
        QCOMPARE(l.form.state.maxDrawings, int16_t(0));
        QCOMPARE(l.form.state.gridSpacing, int16_t(0));
        QCOMPARE(l.form.state.texts.size(), 30);
        QCOMPARE(l.form.state.texts[0], QString());
        QCOMPARE(l.form.Command1[0]->toolTip(), QString());
        QCOMPARE(l.form.stamps.stampFiles[0], QString());
        QVERIFY(!l.form.Picture2->hasPicture());
        QCOMPARE(l.form.grid.gridLineCount, 0);
        // The later steps still ran.
        QCOMPARE(l.form.Combo1->count(), 19);
        QVERIFY(l.form.Picture5->isHidden());
        QCOMPARE(l.form.state.currentTool, tool::pencil);
    }

    void drawingsFolderBlockedByAFile() {
        test::ProgramFolder folder;
        folder.writeDefaultConfiguration();
        folder.write("misdibujos", "not a folder");
        folder.writeStamp("dibujos/animales/a.gif");
        folder.writeStamp("dibujos/animales/b.gif");
        Loaded l(folder.path());
        // The file list must never be left on the stamp folder.
        QCOMPARE(l.form.File1.path(), folder.path() + "/misdibujos");
        QCOMPARE(l.form.File1.count(), 0);
        QCOMPARE(l.form.state.drawingCount, int16_t(0));
        QCOMPARE(l.form.stamps.stampFiles[0], folder.path() + "/dibujos/animales/a.gif");
    }

    void existingDrawingsAreCountedWhateverTheirName() {
        test::ProgramFolder folder;
        folder.writeDefaultConfiguration();
        folder.write("MisDibujos/0.bmp", "x");
        folder.write("MisDibujos/notas.txt", "x");
        Loaded l(folder.path());
        QCOMPARE(l.form.state.drawingCount, int16_t(2));
        QVERIFY(!QFileInfo::exists(folder.path() + "/misdibujos"));
    }

    void tooltipsAreNeverMarkup() {
        test::ProgramFolder folder;
        QByteArray texts = "<b>negrita</b>\n";
        for (int i = 1; i < 30; ++i)
            texts += "x\n";
        folder.write("configuracion/idioma.txt", texts);
        Loaded l(folder.path());
        QCOMPARE(l.form.Command1[0]->toolTip(),
                 QStringLiteral("<qt>&lt;b&gt;negrita&lt;/b&gt;</qt>"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
