// Files and folders: saving, stepping through and deleting drawings, the
// trash, the configuration and language files, paths, scenes and lists.

#include "core/files/config.h"
#include "core/files/drawings.h"
#include "core/files/scenes.h"
#include "core/files/trash.h"
#include "testutil.h"

#include <QtTest>

using namespace garabix;

namespace {

struct Folder {
    Folder() {
        dir.mkdir("misdibujos");
        d.File1.forcePath(dir.path() + "/misdibujos");
        d.maxDrawings = 10;
        image.fill(Qt::red);
    }
    QString path(const QString &name) const { return dir.path() + "/misdibujos/" + name; }
    void touch(const QString &name) { dir.write("misdibujos/" + name, "x"); }
    QString save() {
        modified = true;
        return drawings::SaveDrawing(d, modified, image).path;
    }
    test::ProgramFolder dir;
    drawings::DrawingFolder d;
    bool modified = false;
    QImage image = QImage(40, 30, QImage::Format_RGB32);
};

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:

    // A freed number is used again, files that are not drawings count against
    // the limit but never block a number, and a save refused for the limit or
    // for want of a number leaves the drawing unsaved.
    void limitForeignFilesFreedNumbersAndNoNumberLeft() {
        Folder f;
        for (const char *name : {"notas.txt", "0.bmp", "1.bmp", "3.bmp"})
            f.touch(name);
        f.d.File1.refresh();
        f.d.drawingCount = static_cast<int16_t>(f.d.File1.count());
        QCOMPARE(f.save(), f.path("2.bmp"));
        QCOMPARE(f.d.drawingCount, int16_t(5));
        f.d.maxDrawings = 5;
        QVERIFY(f.save().isEmpty() && f.modified);
        QVERIFY(!QFileInfo::exists(f.path("4.bmp")));
        for (int n = 4; n <= drawings::highestNumber; ++n)
            QVERIFY(QFile(f.path(QStringLiteral("%1.bmp").arg(n))).open(QIODevice::WriteOnly));
        f.d.maxDrawings = 32767;
        f.d.drawingCount = 0;
        QVERIFY(f.save().isEmpty() && f.modified);
    }

    void drawingsVanishingBehindTheProgramsBackNeverJamTheButtons() {
        Folder f;
        for (const char *n : {"0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp"})
            f.touch(n);
        while (!drawings::stepNext(f.d).isEmpty()) {
        }
        QCOMPARE(f.d.browseIndex, 4);
        // Deleted in the file browser while the program runs.
        for (const char *n : {"2.bmp", "3.bmp", "4.bmp"})
            QVERIFY(QFile::remove(f.path(n)));
        QCOMPARE(drawings::stepPrevious(f.d), f.path("1.bmp"));
        QCOMPARE(drawings::stepPrevious(f.d), f.path("0.bmp"));
        QCOMPARE(drawings::stepNext(f.d), f.path("1.bmp"));
        // Next, too, finds the last drawing from a position past the end.
        QVERIFY(QFile::remove(f.path("1.bmp")));
        QCOMPARE(drawings::stepNext(f.d), f.path("0.bmp"));
        // With every drawing gone the position goes back to its start.
        QVERIFY(QFile::remove(f.path("0.bmp")));
        QCOMPARE(drawings::stepPrevious(f.d), QString());
        f.touch("7.bmp");
        QCOMPARE(drawings::stepNext(f.d), f.path("7.bmp"));
    }

    void trashFollowsTheDesktopLayoutAndMakesItsFolders() {
        Folder f;
        f.touch("4.bmp");
        const QString trash = f.dir.path() + "/share/Trash"; // missing, as on a new account
        const QDateTime when(QDate(2026, 3, 1), QTime(9, 30, 5));
        QVERIFY(trash::moveToTrash(f.path("4.bmp"), trash, when));
        QVERIFY(!QFileInfo::exists(f.path("4.bmp")) && QFileInfo::exists(trash + "/files/4.bmp"));
        QFile record(trash + "/info/4.bmp.trashinfo");
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(record.readAll()),
                 "[Trash Info]\nPath=" + QUrl::toPercentEncoding(f.path("4.bmp"), "/") +
                     "\nDeletionDate=2026-03-01T09:30:05\n");
        QCOMPARE(QFileInfo(trash).permissions() & 0x0777,
                 QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        // A second drawing of the same name gets a name of its own there.
        f.touch("4.bmp");
        QVERIFY(trash::moveToTrash(f.path("4.bmp"), trash, when));
        QVERIFY(QFileInfo::exists(trash + "/files/4.2.bmp") &&
                QFileInfo::exists(trash + "/info/4.2.bmp.trashinfo"));
        // Nowhere to put it: the drawing stays where it was.
        f.touch("5.bmp");
        f.dir.write("blocked", "a file where the trash should be");
        QVERIFY(!trash::moveToTrash(f.path("5.bmp"), f.dir.path() + "/blocked/Trash", when));
        QVERIFY(QFileInfo::exists(f.path("5.bmp")));
        QVERIFY(!trash::moveToTrash(f.path("missing.bmp"), trash, when));
    }

    // A comma splits a line in two unless it is quoted: the texts after it
    // move down and the last line is not read.
    void languageFileCommasAndQuotes() {
        test::ProgramFolder folder;
        QByteArray lines;
        for (int i = 0; i < 30; ++i)
            lines += (i == 4 ? QByteArray("hola, mundo") : "t" + QByteArray::number(i)) + "\n";
        folder.write("Configuracion/idioma.txt", lines); // found whatever its case
        const QStringList t = config::readLanguageTexts(folder.path());
        QCOMPARE(t.size(), 30);
        QCOMPARE(t.mid(4, 3), QStringList({"hola", "mundo", "t5"}));
        QCOMPARE(t[29], QString("t28"));
    }

    // Scenes count from 1.gif up to the first number missing; a folder does not count.
    void scenesCountUpToTheFirstGap() {
        test::ProgramFolder folder;
        for (const char *name : {"Escenarios/1.GIF", "Escenarios/2.gif", "Escenarios/4.gif"})
            folder.write(name, "x");
        folder.mkdir("Escenarios/3.gif");
        QCOMPARE(countScenes(folder.path()), 2);
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
