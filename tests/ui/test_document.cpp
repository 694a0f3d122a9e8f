// What the main window tells a family about the drawing is true: a save after
// any change writes a new drawing, browsing steps in number order and never
// goes back past a deleted drawing, and the notes and the quit question
// speak the language file's language on any desktop, and "Mis dibujos"
// shows them all. The quit box is shown for real in child processes with a
// Spanish and an English desktop.

#include "core/files/drawings.h"
#include "testutil.h"
#include "ui/picker/drawingpicker.h"
#include "ui/picker/thumbnails.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace garabix;
using B = ToolbarButton;

namespace {

using test::otherCopySaves;
const auto shipped = test::shippedConfiguration;
const auto readAll = test::readFile;

// A main window over a folder with a scene, a stamp and `language` as idioma.txt.
struct Window : test::LoadedMainWindow {
    explicit Window(const QString &language = shipped("idioma.txt"))
        : LoadedMainWindow([&](test::ProgramFolder &f) {
              f.writeDefaultConfiguration();
              f.write("configuracion/idioma.txt", readAll(language));
              f.writeStamp("dibujos/a/uno.gif");
              f.writeStamp("escenarios/1.gif", 30, 1);
          }) {}
    QImage saved(int n) const {
        return QImage(drawings() + QString::number(n) + ".bmp")
            .convertToFormat(QImage::Format_RGB32);
    }
};

// In the child: the main window with the real platform, its quit button
// pressed; prints the question and its buttons, then answers No.
int showQuitBox(int argc, char **argv, const QString &language) {
    QApplication app(argc, argv);
    test::ProgramFolder folder;
    folder.writeDefaultConfiguration();
    folder.write("configuracion/idioma.txt", readAll(language));
    MainWindow form(folder.path(), qtPlatform());
    form.resize(800, 600);
    form.load();
    QTextStream out(stdout);
    // Qt's own texts: the text box's menu.
    const std::unique_ptr<QMenu> menu(
        form.findChild<QLineEdit *>(widgetname::textEdit)->createStandardContextMenu());
    out << "menu " << menu->actions().value(0)->text().section(QLatin1Char('\t'), 0, 0) << "\n";
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        out << "question " << box->text() << "\n"
            << "yes " << box->button(QMessageBox::Yes)->text() << "\n"
            << "no " << box->button(QMessageBox::No)->text() << "\n"
            << "default " << (box->defaultButton() == box->button(QMessageBox::No)) << "\n";
        box->button(QMessageBox::No)->click();
    });
    form.runToolbarButton(B::Quit);
    out << "kept " << !QCoreApplication::closingDown() << "\n";
    return 0;
}

// Runs the child on a desktop of `locale` with `language` as idioma.txt.
QMap<QString, QString> quitBox(const QString &locale, const QString &language) {
    QProcess child;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LANG", "LANGUAGE", "LC_MESSAGES"})
        e.insert(name, locale);
    child.setProcessEnvironment(e);
    child.start(QCoreApplication::applicationFilePath(), {"--quit-box", language});
    child.waitForFinished(60000);
    QMap<QString, QString> out;
    for (const QString &line : QString::fromUtf8(child.readAllStandardOutput()).split('\n'))
        out.insert(line.section(' ', 0, 0), line.section(' ', 1));
    return out;
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    // Whatever changed the canvas since the last save, saving writes it; only
    // the very picture last saved is "already saved".
    void everyChangeIsSavedAndOnlyTheSavedPictureIsRefused() {
        Window w;
        w.drag(QPointF(10, 10), QPointF(200, 10));
        const QImage oneStroke = w.persistent().copy();
        w.drag(QPointF(10, 40), QPointF(200, 40));
        QCOMPARE(w.save(), QString("Guardado: 0.bmp"));
        w.form->runToolbarButton(B::Undo);
        QCOMPARE(w.save(), QString("Guardado: 1.bmp"));
        QCOMPARE(w.saved(1), oneStroke);
        QCOMPARE(w.save(), QString("Este dibujo ya está guardado."));
        QVERIFY(!QFileInfo::exists(w.drawings() + "2.bmp"));
        w.form->redo();
        QCOMPARE(w.save(), QString("Guardado: 2.bmp"));
        w.form->runToolbarButton(B::NextScene);
        QCOMPARE(w.save(), QString("Guardado: 3.bmp"));
        w.form->runToolbarButton(B::NewDrawing);
        QCOMPARE(w.save(), QString("Guardado: 4.bmp"));
        w.form->runToolbarButton(B::Text);
        w.control<QLineEdit>(widgetname::textEdit)->setText("Hola");
        w.click(QPointF(100, 100));
        QCOMPARE(w.save(), QString("Guardado: 5.bmp"));
        w.form->runToolbarButton(B::Gallery);
        w.click(QPointF(300, 300));
        QTRY_VERIFY(w.form->canvasEnabled()); // the stamp has landed
        QCOMPARE(w.save(), QString("Guardado: 6.bmp"));
        QCOMPARE(w.saved(6), w.persistent());
        // A saved drawing shown is already saved; drawn over, it is saved anew.
        w.press(B::PreviousDrawing);
        QCOMPARE(w.save(), QString("Este dibujo ya está guardado."));
        w.form->runToolbarButton(B::Pencil); // the stamp's outline alone changes nothing
        w.drag(QPointF(10, 70), QPointF(200, 70));
        QCOMPARE(w.save(), QString("Guardado: 7.bmp"));
        QCOMPARE(w.platform.problems.count(true), 0);
    }

    // Eleven drawings saved by another copy of the program step by their
    // number, passing over what is no drawing; after the drawing on show is
    // deleted, next never goes back.
    void browsingStepsByNumberAndNeverGoesBack() {
        Window w;
        otherCopySaves(w.drawings(), 11, 0);
        // Files that are no drawing are passed over, in the middle and at
        // the end, each with a line in the log: a drawing cut short, an
        // empty file, one with only its header, a parent's note.
        const QByteArray four = readAll(w.drawings() + "4.bmp");
        w.folder.write("misdibujos/3.bmp", four.left(four.size() - 100));
        w.folder.write("misdibujos/11.bmp", "");
        w.folder.write("misdibujos/12.bmp", four.left(54));
        w.folder.write("misdibujos/nota.txt", "a parent's note");
        for (const char *name : {"/3.bmp", "/11.bmp", "/12.bmp", "/nota.txt"})
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QString("could not be read.*") + name));
        QVector<int> order; // each drawing's own number, in its second pixel
        for (int i = 0; i < 10; ++i) {
            w.press(B::NextDrawing);
            order << qRed(w.persistent().pixel(1, 0));
        }
        QCOMPARE(order, (QVector<int>{0, 1, 2, 4, 5, 6, 7, 8, 9, 10}));
        const QImage last = w.persistent().copy();
        w.press(B::NextDrawing); // the end: it stays
        QCOMPARE(w.persistent(), last);
        for (int i = 0; i < 3; ++i)
            w.press(B::PreviousDrawing); // 7.bmp on show
        // No trash, or no permission: the drawing stays, and a parent is told which.
        for (const auto &[error, note] :
             {std::pair{ENOENT, "no hay papelera"}, {EACCES, "permiso"}}) {
            w.platform.trashError = error;
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("could not move.*7.bmp.*" +
                                                    QRegularExpression::escape(strerror(error))));
            w.form->runToolbarButton(B::DeleteDrawing);
            QVERIFY(w.platform.problems.last() && w.platform.notices.last().contains(note));
            QVERIFY(QFileInfo::exists(w.drawings() + "7.bmp"));
        }
        w.platform.trashError = 0;
        w.form->runToolbarButton(B::DeleteDrawing);
        QCOMPARE(w.platform.trashed, QStringList{w.drawings() + "7.bmp"});
        w.press(B::NextDrawing);
        QCOMPARE(qRed(w.persistent().pixel(1, 0)), 8);
        w.form->runToolbarButton(B::DeleteDrawing);
        w.press(B::PreviousDrawing);
        QCOMPARE(qRed(w.persistent().pixel(1, 0)), 6);
        // Undo brings back what the canvas held, and takes the drawing off
        // show: the bin then deletes nothing.
        w.form->runToolbarButton(B::Undo);
        QCOMPARE(qRed(w.persistent().pixel(1, 0)), 8);
        w.form->runToolbarButton(B::DeleteDrawing);
        QCOMPARE(w.platform.trashed.size(), 2);
        for (int i = 0; i < 3; ++i)
            w.press(B::PreviousDrawing); // from 6.bmp: 5, 4, then 2
        QCOMPARE(qRed(w.persistent().pixel(1, 0)), 2);
    }

    // "Already saved" only while the file last saved or shown still holds
    // the canvas: removed, taken by another copy's drawing or replaced
    // behind the program's back, the drawing is saved anew, and the bin
    // leaves a replaced file alone.
    void savingLooksAtTheDisk() {
        Window w;
        w.drag(QPointF(10, 10), QPointF(200, 10));
        QCOMPARE(w.save(), QString("Guardado: 0.bmp"));
        QVERIFY(QFile::remove(w.drawings() + "0.bmp"));
        QCOMPARE(w.save(), QString("Guardado: 0.bmp"));
        QVERIFY(QFile::remove(w.drawings() + "0.bmp"));
        otherCopySaves(w.drawings(), 1, 7); // its drawing takes the number
        QCOMPARE(w.save(), QString("Guardado: 1.bmp"));
        QCOMPARE(w.saved(1), w.persistent());
        QCOMPARE(w.save(), QString("Este dibujo ya está guardado."));
        w.press(B::NextDrawing); // the other copy's drawing on show
        QCOMPARE(qRed(w.persistent().pixel(0, 0)), 7);
        QCOMPARE(w.save(), QString("Este dibujo ya está guardado."));
        QVERIFY(QFile::remove(w.drawings() + "0.bmp")); // replaced by another picture
        QVERIFY(QFile::copy(w.drawings() + "1.bmp", w.drawings() + "0.bmp"));
        w.form->runToolbarButton(B::DeleteDrawing);
        QVERIFY(w.platform.trashed.isEmpty());
        QCOMPARE(w.save(), QString("Guardado: 2.bmp"));
        QCOMPARE(qRed(w.saved(2).pixel(0, 0)), 7);
        // Undone past a scene back onto a drawing shown, it is on show again.
        w.press(B::NextDrawing);
        w.form->runToolbarButton(B::NextScene);
        w.form->runToolbarButton(B::Undo);
        w.form->runToolbarButton(B::DeleteDrawing);
        QCOMPARE(w.platform.trashed, QStringList{w.drawings() + "1.bmp"});
    }

    // Ctrl+E copies the drawing out as a PNG into the pictures folder of a
    // home of the test's own, and the note says where; a second copy gets a
    // name of its own.
    void copyToPicturesWritesAPngAndSaysWhere() {
        QTemporaryDir home;
        const QByteArray realHome = qgetenv("HOME"), realConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
        Window w;
        w.drag(QPointF(10, 10), QPointF(200, 100));
        w.form->show();
        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(w.form.get(), Qt::Key_E, Qt::ControlModifier);
        qputenv("HOME", realHome);
        qputenv("XDG_CONFIG_HOME", realConfig);
        const QStringList copies = QDir(home.filePath("Pictures")).entryList({"garabix-*.png"});
        QCOMPARE(copies.size(), 2);
        QCOMPARE(QImage(home.filePath("Pictures/") + copies.first())
                     .convertToFormat(QImage::Format_RGB32),
                 w.persistent());
        QVERIFY(w.platform.notices.value(0).startsWith("Copiado a tus imágenes: " + home.path()));
        QVERIFY(!w.platform.problems.value(0));
    }

    // The notes and buttons follow idioma.txt; a file of only 30 lines, or
    // none, gets the built-in Spanish; a missing limit says saving is off,
    // and a folder over its limit is told the limit.
    void notesSpeakTheLanguageFilesLanguage() {
        Window english(shipped("idiomas/english.txt"));
        english.drag(QPointF(10, 10), QPointF(200, 10));
        QCOMPARE(english.save(), QString("Saved: 0.bmp"));
        QCOMPARE(english.save(), QString("This drawing is already saved."));
        QCOMPARE(english.control<QPushButton>(widgetname::closeTextButton)->text(),
                 QString("Close"));
        english.form->show(); // the quit button and closing the window ask the same
        english.form->runToolbarButton(B::Quit);
        QVERIFY(!english.form->close() && english.form->isVisible()); // No keeps everything
        english.platform.answer = true;
        QVERIFY(english.form->close() && english.platform.quits == 1);
        QCOMPARE(english.platform.answers, (QVector<QStringList>(3, {"&Yes", "&No"})));
        // A folder that cannot be written: the note says so, the drawing stays unsaved.
        QVERIFY(QDir(english.drawings()).removeRecursively());
        english.folder.write("misdibujos", "a file where the folder should be");
        english.drag(QPointF(10, 40), QPointF(200, 40));
        QVERIFY(english.save().startsWith("The drawing could not be saved"));
        QVERIFY(english.platform.problems.last() && english.form->drawingDocument().modified());

        test::LoadedMainWindow bare([](test::ProgramFolder &f) { f.mkdir("misdibujos"); });
        bare.form->runToolbarButton(B::Quit);
        QVERIFY(bare.platform.questions.value(0).startsWith("¿Quieres salir de Garabix?"));
        QCOMPARE(bare.platform.answers.value(0), (QStringList{"&Sí", "&No"}));
        bare.drag(QPointF(10, 10), QPointF(200, 10));
        bare.save(); // no mdg.txt: saving is off, not "delete some"
        QVERIFY(bare.platform.problems.value(0));
        QVERIFY(bare.platform.notices.value(0).contains("no permite guardar"));
        QVERIFY(!bare.platform.notices.value(0).contains("Borra"));
        // More files than mdg.txt allows: the note gives the limit, not the count as one.
        test::LoadedMainWindow full([](test::ProgramFolder &f) {
            f.writeDefaultConfiguration();
            f.write("configuracion/mdg.txt", "2\n");
            for (const char *name : {"misdibujos/0.bmp", "misdibujos/1.bmp", "misdibujos/nota.txt"})
                f.write(name, "x");
        });
        full.drag(QPointF(10, 10), QPointF(200, 10));
        full.save();
        QVERIFY(full.platform.notices.value(0).contains("tantos dibujos como permite "
                                                        "configuracion/mdg.txt (2)"));
        // A parent tidies the folder: there is room at once, and the bin makes room too.
        QVERIFY(QFile::remove(full.drawings() + "nota.txt") &&
                QFile::remove(full.drawings() + "1.bmp"));
        full.save();
        QCOMPARE(full.platform.notices.value(1), QString("Guardado: 1.bmp"));
        full.press(B::NextDrawing); // 1.bmp, the drawing just saved
        full.form->runToolbarButton(B::DeleteDrawing);
        // The bin says what it did, and that the trash can give it back.
        QCOMPARE(full.platform.notices.value(2),
                 QString("El dibujo 1.bmp está en la papelera. Desde allí se puede recuperar."));
        full.drag(QPointF(10, 40), QPointF(200, 40));
        full.save();
        QCOMPARE(full.platform.notices.value(3), QString("Guardado: 1.bmp"));
    }

    void theQuitBoxSpeaksTheLanguageFileOnAnyDesktop() {
        const auto english = quitBox("es_ES.UTF-8", shipped("idiomas/english.txt"));
        QVERIFY2(english.value("question").startsWith("Do you want"),
                 qPrintable(english.value("question")));
        QCOMPARE(english.value("yes"), QString("&Yes"));
        QCOMPARE(english.value("no"), QString("&No"));
        QCOMPARE(english.value("default"), QString("1"));
        QCOMPARE(english.value("kept"), QString("1"));
        QCOMPARE(english.value("menu"), QString("&Undo"));
        const auto spanish = quitBox("en_US.UTF-8", shipped("idioma.txt"));
        QVERIFY(spanish.value("question").startsWith("¿Quieres salir"));
        QCOMPARE(spanish.value("yes"), QString("&Sí"));
        QCOMPARE(spanish.value("no"), QString("&No"));
        QCOMPARE(spanish.value("menu"), QString("&Deshacer"));
    }
};

int main(int argc, char **argv) {
    if (argc > 2 && qstrcmp(argv[argc - 2], "--quit-box") == 0)
        return showQuitBox(argc - 2, argv, QString::fromLocal8Bit(argv[argc - 1]));
    QApplication app(argc, argv);
    TestDocument t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_document.moc"
