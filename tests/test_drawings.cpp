// Saving, stepping through and deleting drawings in temporary folders.

#include "core/files/drawings.h"
#include "core/files/trash.h"
#include "testutil.h"

#include <QImageReader>
#include <QtTest>

using namespace garabix;

namespace {

struct Folder {
    Folder() {
        dir.mkdir("misdibujos");
        File1.forcePath(dir.path() + "/misdibujos");
        state.maxDrawings = 10;
        image.fill(Qt::red);
    }
    QString path(const QString &name) const { return dir.path() + "/misdibujos/" + name; }
    void touch(const QString &name) { dir.write("misdibujos/" + name, "x"); }
    QString save() {
        state.drawingModified = true;
        return drawings::SaveDrawing(state, image, File1).path;
    }
    test::ProgramFolder dir;
    FileList File1;
    DrawingState state;
    QImage image = QImage(40, 30, QImage::Format_RGB32);
};

} // namespace

class TestDrawings : public QObject {
    Q_OBJECT
private slots:
    void firstSaveThenNothingUntilTouched() {
        Folder f;
        QCOMPARE(f.save(), f.path("0.bmp"));
        QCOMPARE(f.state.drawingCount, int16_t(1));
        QVERIFY(!f.state.drawingModified);
        QCOMPARE(drawings::SaveDrawing(f.state, f.image, f.File1).outcome, drawings::SaveResult::Unchanged);
        QCOMPARE(f.File1.count(), 1);
        QCOMPARE(f.save(), f.path("1.bmp"));
    }

    void savedFileIsAStandard24BitBmpThatReadsBack() {
        Folder f;
        f.image.setPixel(3, 2, qRgb(10, 200, 30));
        const QString path = f.save();
        QImageReader r(path);
        QCOMPARE(r.format(), QByteArray("bmp"));
        const QImage back = r.read();
        QCOMPARE(back.size(), QSize(40, 30));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), f.image);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(54);
        QCOMPARE(qFromLittleEndian<quint16>(head.constData() + 28), quint16(24));
        QCOMPARE(qFromLittleEndian<quint32>(head.constData() + 30), quint32(0)); // uncompressed
        QCOMPARE(file.size(), qint64(54 + 30 * 120));
    }

    void limitAndForeignFilesAndFreedNumbers() {
        Folder f;
        f.touch("notas.txt");
        f.touch("0.bmp");
        f.touch("1.bmp");
        f.touch("3.bmp");
        f.File1.refresh();
        f.state.drawingCount = static_cast<int16_t>(f.File1.count());
        QCOMPARE(f.save(), f.path("2.bmp")); // the freed number, not blocked by notas.txt
        QCOMPARE(f.state.drawingCount, int16_t(5));
        f.state.maxDrawings = 5;
        QVERIFY(f.save().isEmpty());
        QVERIFY(f.state.drawingModified);
        QVERIFY(!QFileInfo::exists(f.path("4.bmp")));
        f.state.maxDrawings = 0;
        f.state.drawingCount = 0;
        QVERIFY(f.save().isEmpty());
        f.state.maxDrawings = -3;
        QVERIFY(f.save().isEmpty());
    }

    void failedWriteLeavesNoFileAndTheFlags() {
        Folder f;
        QFile::setPermissions(f.path(""), QFile::ReadOwner | QFile::ExeOwner);
        const bool canStillWrite =
            QFileInfo(f.path("")).isWritable() && QFile(f.path("probe")).open(QIODevice::WriteOnly);
        QFile::remove(f.path("probe"));
        if (canStillWrite) {
            // Running as root: a missing folder makes the write fail instead.
            QFile::setPermissions(f.path(""),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            f.File1.forcePath(f.dir.path() + "/gone");
        }
        f.state.drawingCount = 0;
        QVERIFY(f.save().isEmpty());
        QVERIFY(f.state.drawingModified);
        QCOMPARE(f.state.drawingCount, int16_t(0));
        QFile::setPermissions(f.path(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QDir(f.path("")).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    void allNamesTaken() {
        Folder f;
        for (int n = 0; n <= drawings::highestNumber; ++n) {
            QFile file(f.path(QStringLiteral("%1.bmp").arg(n)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        f.state.maxDrawings = 32767;
        f.state.drawingCount = 0;
        QVERIFY(f.save().isEmpty());
        QVERIFY(f.state.drawingModified); // nothing was saved, and that is not hidden
    }

    void browsingThreeFiles() {
        Folder f;
        for (const char *n : {"0.bmp", "1.bmp", "2.bmp"})
            f.touch(n);
        QCOMPARE(drawings::stepNext(f.state, f.File1), f.path("0.bmp"));
        QCOMPARE(drawings::stepNext(f.state, f.File1), f.path("1.bmp"));
        QCOMPARE(drawings::stepNext(f.state, f.File1), f.path("2.bmp"));
        QCOMPARE(drawings::stepNext(f.state, f.File1), QString());
        QCOMPARE(f.state.browseIndex, 2);
        QCOMPARE(drawings::stepPrevious(f.state, f.File1), f.path("1.bmp"));
        QCOMPARE(drawings::stepPrevious(f.state, f.File1), f.path("0.bmp"));
        QCOMPARE(drawings::stepPrevious(f.state, f.File1), QString());
        QCOMPARE(f.state.browseIndex, 0);
    }

    void aLoneDrawingIsReachableAndAnEmptyFolderShowsNothing() {
        Folder f;
        QCOMPARE(drawings::stepNext(f.state, f.File1), QString());
        QCOMPARE(drawings::stepPrevious(f.state, f.File1), QString());
        QCOMPARE(f.state.browseIndex, -1);
        f.touch("0.bmp");
        QCOMPARE(drawings::stepPrevious(f.state, f.File1), QString());
        QCOMPARE(drawings::stepNext(f.state, f.File1), f.path("0.bmp"));
    }

    void drawingsVanishingBehindTheProgramsBackNeverJamTheButtons() {
        Folder f;
        for (int n = 0; n < 5; ++n)
            f.touch(QStringLiteral("%1.bmp").arg(n));
        while (!drawings::stepNext(f.state, f.File1).isEmpty()) {
        }
        QCOMPARE(f.state.browseIndex, 4);
        // Deleted in the file browser while the program runs.
        for (const char *n : {"2.bmp", "3.bmp", "4.bmp"})
            QVERIFY(QFile::remove(f.path(n)));
        QCOMPARE(drawings::stepPrevious(f.state, f.File1), f.path("1.bmp"));
        QCOMPARE(drawings::stepPrevious(f.state, f.File1), f.path("0.bmp"));
        QCOMPARE(drawings::stepNext(f.state, f.File1), f.path("1.bmp"));
        // Next, too, finds the last drawing from a position past the end.
        QVERIFY(QFile::remove(f.path("1.bmp")));
        QCOMPARE(drawings::stepNext(f.state, f.File1), f.path("0.bmp"));
        // With every drawing gone the position goes back to its start.
        QVERIFY(QFile::remove(f.path("0.bmp")));
        QCOMPARE(drawings::stepPrevious(f.state, f.File1), QString());
        f.touch("7.bmp");
        QCOMPARE(drawings::stepNext(f.state, f.File1), f.path("7.bmp"));
    }

    void deleteActsOnTheShownDrawingOnceAndOnlyThroughTheTrash() {
        Folder f;
        for (const char *n : {"0.bmp", "1.bmp", "2.bmp"})
            f.touch(n);
        QStringList trashed;
        bool trashWorks = false;
        const auto trash = [&](const QString &path) {
            if (!trashWorks)
                return false;
            trashed << path;
            return QFile::remove(path);
        };
        f.File1.refresh();
        QCOMPARE(drawings::deleteShown(f.state, f.File1, trash), drawings::DeleteOutcome::Nothing);
        f.state.shownDrawing = drawings::stepNext(f.state, f.File1);
        // No trash: the drawing stays, and that is said, not hidden.
        QCOMPARE(drawings::deleteShown(f.state, f.File1, trash), drawings::DeleteOutcome::Failed);
        QVERIFY(QFileInfo::exists(f.path("0.bmp")));
        trashWorks = true;
        QCOMPARE(drawings::deleteShown(f.state, f.File1, trash), drawings::DeleteOutcome::Deleted);
        QCOMPARE(trashed, QStringList{f.path("0.bmp")});
        QCOMPARE(f.state.drawingCount, int16_t(2));
        QVERIFY(f.state.drawingModified); // the picture on the canvas is unsaved now
        QCOMPARE(drawings::deleteShown(f.state, f.File1, trash), drawings::DeleteOutcome::Nothing);
        QCOMPARE(trashed.size(), 1);
        QVERIFY(QFileInfo::exists(f.path("1.bmp")) && QFileInfo::exists(f.path("2.bmp")));
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
        QCOMPARE(QFileInfo(trash).permissions() & 0x0777, QFile::ReadUser | QFile::WriteUser |
                                                               QFile::ExeUser);
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

    void elevenFilesInTextOrder() {
        Folder f;
        for (int n = 0; n <= 10; ++n)
            f.touch(QStringLiteral("%1.bmp").arg(n));
        QStringList order;
        QString shown;
        while (!(shown = drawings::stepNext(f.state, f.File1)).isEmpty())
            order << QFileInfo(shown).fileName();
        QCOMPARE(order.mid(0, 4), (QStringList{"0.bmp", "1.bmp", "10.bmp", "2.bmp"}));
        QCOMPARE(order.size(), 11);
    }

    void aDrawingSavedLaterIsReachable() {
        Folder f;
        f.touch("0.bmp");
        drawings::stepNext(f.state, f.File1);
        f.save();
        QCOMPARE(drawings::stepNext(f.state, f.File1), f.path("1.bmp"));
    }
};

QTEST_GUILESS_MAIN(TestDrawings)
#include "test_drawings.moc"
