// Files and folders: saving, stepping through and deleting drawings, the
// trash, the configuration and language files, paths, scenes and lists.

#include "core/files/config.h"
#include "core/files/drawings.h"
#include "core/files/folderlist.h"
#include "core/files/paths.h"
#include "core/files/scenes.h"
#include "core/files/trash.h"
#include "core/text/textreader.h"
#include "testutil.h"

#include <QImageReader>
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

    void limitAndForeignFilesAndFreedNumbers() {
        Folder f;
        f.touch("notas.txt");
        f.touch("0.bmp");
        f.touch("1.bmp");
        f.touch("3.bmp");
        f.d.File1.refresh();
        f.d.drawingCount = static_cast<int16_t>(f.d.File1.count());
        QCOMPARE(f.save(), f.path("2.bmp")); // the freed number, not blocked by notas.txt
        QCOMPARE(f.d.drawingCount, int16_t(5));
        f.d.maxDrawings = 5;
        QVERIFY(f.save().isEmpty());
        QVERIFY(f.modified);
        QVERIFY(!QFileInfo::exists(f.path("4.bmp")));
    }

    void allNamesTaken() {
        Folder f;
        for (int n = 0; n <= drawings::highestNumber; ++n) {
            QFile file(f.path(QStringLiteral("%1.bmp").arg(n)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        f.d.maxDrawings = 32767;
        f.d.drawingCount = 0;
        QVERIFY(f.save().isEmpty());
        QVERIFY(f.modified); // nothing was saved, and that is not hidden
    }

    void drawingsVanishingBehindTheProgramsBackNeverJamTheButtons() {
        Folder f;
        for (int n = 0; n < 5; ++n)
            f.touch(QStringLiteral("%1.bmp").arg(n));
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
        QVERIFY(!QFileInfo::exists(f.path("4.bmp")));
        QVERIFY(QFileInfo::exists(trash + "/files/4.bmp"));
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
        QVERIFY(QFileInfo::exists(trash + "/files/4.2.bmp"));
        QVERIFY(QFileInfo::exists(trash + "/info/4.2.bmp.trashinfo"));
        // Nowhere to put it: the drawing stays where it was.
        f.touch("5.bmp");
        f.dir.write("blocked", "a file where the trash should be");
        QVERIFY(!trash::moveToTrash(f.path("5.bmp"), f.dir.path() + "/blocked/Trash", when));
        QVERIFY(QFileInfo::exists(f.path("5.bmp")));
        QVERIFY(!trash::moveToTrash(f.path("missing.bmp"), trash, when));
    }

    void languageFileCommasAndQuotes() {
        test::ProgramFolder folder;
        for (const QByteArray &fifth : {QByteArray("hola, mundo"), QByteArray("\"hola, mundo\"")}) {
            QByteArray lines;
            for (int i = 0; i < 30; ++i)
                lines += (i == 4 ? fifth : "t" + QByteArray::number(i)) + "\n";
            // Written in another case: "\\Configuracion\\" finds "configuracion".
            folder.write("configuracion/idioma.txt", lines);
            const QStringList t = config::readLanguageTexts(folder.path());
            QCOMPARE(t.size(), 30);
            // Unquoted, the comma splits the line in two and the last line is not read.
            const bool quoted = fifth.startsWith('"');
            QCOMPARE(t.mid(4, 3), quoted ? QStringList({"hola, mundo", "t5", "t6"})
                                         : QStringList({"hola", "mundo", "t5"}));
            QCOMPARE(t[29], quoted ? QString("t29") : QString("t28"));
        }
    }

    void pathsScenesAndListsIgnoreCase() {
        test::ProgramFolder folder;
        folder.write("Escenarios/1.GIF", "x");
        QCOMPARE(resolvePath(folder.path(), "\\escenarios\\1.gif"),
                 folder.path() + "/Escenarios/1.GIF");
        QCOMPARE(resolvePath(folder.path(), "\\nada\\1.gif"), folder.path() + "/nada/1.gif");
        folder.write("Escenarios/2.gif", "x");
        folder.write("Escenarios/4.gif", "x");
        folder.mkdir("Escenarios/3.gif"); // a folder does not count, and the count stops there
        QCOMPARE(countScenes(folder.path()), 2);
        for (const char *name : {"2.bmp", "10.bmp", "B.txt", "a.txt"})
            folder.write(QString("d/") + name, "x");
        folder.mkdir("d/sub");
        FileList files;
        QVERIFY(files.setPath(folder.path() + "/d"));
        const QStringList order = {files.entry(0), files.entry(1), files.entry(2), files.entry(3)};
        QCOMPARE(order, (QStringList{"10.bmp", "2.bmp", "a.txt", "B.txt"})); // text order, no case
        QCOMPARE(files.entry(4), QString());
        FolderList dirs;
        QVERIFY(dirs.setPath(folder.path() + "/d"));
        QCOMPARE(dirs.count(), 1);
        QVERIFY(!dirs.setPath(folder.path() + "/d/2.bmp"));
        QCOMPARE(dirs.path(), folder.path() + "/d");
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
