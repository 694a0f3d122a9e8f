// Files and folders: saving, stepping through and deleting drawings, the
// trash, the configuration and language files, paths, scenes and lists.

#include "core/files/claim.h"
#include "core/files/config.h"
#include "core/files/drawings.h"
#include "core/files/export.h"
#include "core/files/pictures.h"
#include "core/files/scenes.h"
#include "core/files/trash.h"
#include "coretestutil.h"

#include <QtTest>
#include <utime.h>

using namespace garabix;

namespace {

struct Folder {
    Folder() {
        dir.mkdir("misdibujos");
        d.files.forcePath(dir.path() + "/misdibujos");
        d.maxDrawings = 10;
        image.fill(Qt::red);
    }
    QString path(const QString &name) const { return dir.path() + "/misdibujos/" + name; }
    void touch(const QString &name) { dir.write("misdibujos/" + name, "x"); }
    drawings::SaveResult::Kind save() {
        const drawings::SaveResult r = drawings::saveDrawing(d, image, true);
        saved = r.path;
        return r.outcome;
    }
    test::ProgramFolder dir;
    drawings::DrawingFolder d;
    QString saved;
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
        f.d.files.refresh();
        f.d.drawingCount = static_cast<int16_t>(f.d.files.count());
        QCOMPARE(f.save(), drawings::SaveResult::Saved);
        QCOMPARE(f.saved, f.path("2.bmp"));
        QCOMPARE(f.d.drawingCount, int16_t(5));
        QCOMPARE(drawings::saveDrawing(f.d, f.image, false).outcome,
                 drawings::SaveResult::Unchanged);
        f.d.maxDrawings = 5;
        QCOMPARE(f.save(), drawings::SaveResult::LimitReached);
        f.d.maxDrawings = 0; // mdg.txt missing or 0: saving is off, whatever the count
        f.d.drawingCount = 0;
        QCOMPARE(f.save(), drawings::SaveResult::SavingOff);
        QVERIFY(!QFileInfo::exists(f.path("4.bmp")));
        for (int n = 4; n <= drawings::highestNumber; ++n)
            QVERIFY(QFile(f.path(QStringLiteral("%1.bmp").arg(n))).open(QIODevice::WriteOnly));
        f.d.maxDrawings = 32767;
        QCOMPARE(f.save(), drawings::SaveResult::NoNumberLeft);
    }

    // Numbered drawings step by their number, other names after them; a
    // drawing deleted where the buttons stand leaves them between its
    // neighbours, and nothing jams.
    // A number claimed by a save still running, here or on another computer,
    // is passed over and its claim and temporary file left alone; what a save
    // that ended on this computer left (even when its process id is given to
    // another process since), or anything a day old, is cleared away and its
    // number used. A computer with the same host name but another boot is
    // another computer.
    void claimsAndTemporariesOfOthersAreLeftAlone() {
        Folder f;
        QProcess ended;
        ended.start("true");
        QVERIFY(ended.waitForStarted());
        const QString gone = QString::number(ended.processId());
        QVERIFY(ended.waitForFinished());
        const QString self = drawings::machineIdentity();
        const QString host = self.section('-', 0, -2);
        const QString living = QString::number(QCoreApplication::applicationPid());
        const auto claim = [&](int n, const QString &owner) {
            QDir().mkpath(f.path(".garabix-claim-%1").arg(n));
            if (!owner.isEmpty())
                f.touch(QString(".garabix-owner-%1-").arg(n) + owner);
        };
        claim(0, self + '-' + living);
        claim(1, "otherpc-" + self.section('-', -1) + '-' + gone);
        claim(2, host + "-0123abcd-" + gone); // cloned image, other boot
        claim(3, self + '-' + gone);          // killed here
        claim(4, self + '-' + living + ".1"); // killed here, its process id now ours
        claim(5, "");                         // killed before naming itself...
        const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-2);
        const struct utimbuf old { dayAgo.toSecsSinceEpoch(), dayAgo.toSecsSinceEpoch() };
        QVERIFY(::utime(QFile::encodeName(f.path(".garabix-claim-5")).constData(), &old) == 0);
        const QString otherTemp = ".garabix-save-" + host + "-0123abcd-" + gone + "-x.tmp";
        const QString ownTemp = ".garabix-save-" + self + '-' + gone + "-y.tmp";
        const QString reusedTemp = ".garabix-save-" + self + '-' + living + ".1-z.tmp";
        f.touch(otherTemp);
        f.touch(ownTemp);
        f.touch(reusedTemp);

        QCOMPARE(f.save(), drawings::SaveResult::Saved);
        QCOMPARE(f.saved, f.path("3.bmp"));
        QCOMPARE(f.save(), drawings::SaveResult::Saved);
        QCOMPARE(f.saved, f.path("4.bmp"));
        QCOMPARE(f.save(), drawings::SaveResult::Saved);
        QCOMPARE(f.saved, f.path("5.bmp")); // ...a day ago
        QCOMPARE(QImage(f.saved), f.image);
        const QStringList left =
            QDir(f.path({}))
                .entryList({".garabix-*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                           QDir::Name);
        QCOMPARE(left.filter(".garabix-claim-"),
                 QStringList({".garabix-claim-0", ".garabix-claim-1", ".garabix-claim-2"}));
        QCOMPARE(left.filter(".garabix-owner-").size(), 3);
        QCOMPARE(left.filter(".garabix-save-"), QStringList({otherTemp}));
    }

    void browsingStepsInNumberOrderAndNeverGoesBack() {
        Folder f;
        for (const char *n : {"10.bmp", "2.bmp", "0.bmp", "1.BMP", "dibujo.bmp", "a.png", "3.bmp"})
            f.touch(n);
        QStringList forward;
        for (QString p; !(p = drawings::stepNext(f.d)).isEmpty();)
            forward << p.section('/', -1);
        QCOMPARE(forward, QStringList({"0.bmp", "1.BMP", "2.bmp", "3.bmp", "10.bmp", "a.png",
                                       "dibujo.bmp"}));
        QCOMPARE(drawings::stepNext(f.d), QString()); // at the end it stays
        QCOMPARE(drawings::stepPrevious(f.d), f.path("a.png"));
        QCOMPARE(drawings::stepPrevious(f.d), f.path("10.bmp"));
        QCOMPARE(drawings::stepPrevious(f.d), f.path("3.bmp"));
        // The drawing on show deleted behind the program's back: next is the
        // one after it, previous the one before.
        QVERIFY(QFile::remove(f.path("3.bmp")));
        QCOMPARE(drawings::stepNext(f.d), f.path("10.bmp"));
        QVERIFY(QFile::remove(f.path("10.bmp")));
        QCOMPARE(drawings::stepPrevious(f.d), f.path("2.bmp"));
        QCOMPARE(drawings::stepNext(f.d), f.path("a.png"));
        // Everything gone: nothing to show either way, until a new drawing comes.
        for (const QString &n : QDir(f.path("")).entryList(QDir::Files))
            QVERIFY(QFile::remove(f.path(n)));
        QCOMPARE(drawings::stepPrevious(f.d), QString());
        QCOMPARE(drawings::stepNext(f.d), QString());
        f.touch("7.bmp");
        QCOMPARE(drawings::stepPrevious(f.d), f.path("7.bmp"));
    }

    void trashFollowsTheDesktopLayoutAndMakesItsFolders() {
        Folder f;
        f.touch("4.bmp");
        const QString trash = f.dir.path() + "/share/Trash"; // missing, as on a new account
        const QDateTime when(QDate(2026, 3, 1), QTime(9, 30, 5));
        QVERIFY(trash::moveToTrash(f.path("4.bmp"), trash, when).ok());
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
        QVERIFY(trash::moveToTrash(f.path("4.bmp"), trash, when).ok());
        QVERIFY(QFileInfo::exists(trash + "/files/4.2.bmp") &&
                QFileInfo::exists(trash + "/info/4.2.bmp.trashinfo"));
        // Nowhere to put it: the drawing stays where it was, and the reason is told.
        f.touch("5.bmp");
        f.dir.write("blocked", "a file where the trash should be");
        QCOMPARE(trash::moveToTrash(f.path("5.bmp"), f.dir.path() + "/blocked/Trash", when).error,
                 ENOTDIR);
        QVERIFY(QFileInfo::exists(f.path("5.bmp")));
        QCOMPARE(trash::moveToTrash(f.path("missing.bmp"), trash, when).error, ENOENT);
    }

    // A comma splits a line in two unless it is quoted: the texts after it
    // move down and the last line is not read. The notes after the first 30
    // lines are optional: the built-in Spanish stands for each one missing or
    // empty.
    void languageFileCommasQuotesAndOptionalNotes() {
        using config::Text;
        test::ProgramFolder folder;
        QByteArray lines;
        for (int i = 0; i < 30; ++i)
            lines += (i == 4 ? QByteArray("hola, mundo") : "t" + QByteArray::number(i)) + "\n";
        folder.write("Configuracion/idioma.txt", lines); // found whatever its case
        QStringList t = config::readLanguageTexts(folder.path());
        QCOMPARE(t.size(), config::allTextCount);
        QCOMPARE(t.mid(4, 3), QStringList({"hola", "mundo", "t5"}));
        QCOMPARE(config::text(t, Text::TextPlaceholder), QString("t28"));
        QCOMPARE(config::text(t, Text::Saved), QString("t29")); // moved down too
        QCOMPARE(config::text(t, Text::AlreadySaved), config::builtInText(Text::AlreadySaved));
        lines.replace("hola, mundo", "t4");
        folder.write("Configuracion/idioma.txt", lines + "\"Saved: %1\"\n\"\"\n");
        t = config::readLanguageTexts(folder.path());
        QCOMPARE(config::text(t, Text::Saved), QString("Saved: %1"));
        QCOMPARE(config::text(t, Text::AlreadySaved), config::builtInText(Text::AlreadySaved));
    }

    // A drawing copied out as a PNG reads back as the drawing, under a name
    // that says when; a second copy in the same second, or a file standing
    // under the name, never meets another file.
    void exportedPicturesReadBackAndNeverCollide() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("Imágenes/nuevas"); // made when missing
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.setPixel(3, 2, qRgb(250, 10, 10));
        const QDateTime when(QDate(2026, 12, 7), QTime(9, 5, 7));
        const exporting::Exported first = exporting::exportPng(picture, folder, when);
        QVERIFY(first.outcome.ok());
        QCOMPARE(first.path, folder + "/garabix-2026-12-07-090507.png");
        QCOMPARE(QImage(first.path).convertToFormat(QImage::Format_RGB32), picture);
        QVERIFY(QFile::remove(first.path));
        QFile standing(first.path); // somebody else's file under the name
        QVERIFY(standing.open(QIODevice::WriteOnly) && standing.write("mine") == 4);
        standing.close();
        const exporting::Exported second = exporting::exportPng(picture, folder, when);
        const exporting::Exported third = exporting::exportPng(picture, folder, when);
        QCOMPARE(second.path, folder + "/garabix-2026-12-07-090507-2.png");
        QCOMPARE(third.path, folder + "/garabix-2026-12-07-090507-3.png");
        QCOMPARE(test::readFile(first.path), QByteArray("mine"));
    }

    // A picture longer than the loader allows on either side is refused
    // however few pixels it has; one just inside is read.
    void picturesTooLongOnOneSideAreRefused() {
        test::ProgramFolder folder;
        for (const QSize size : {QSize(1, maxPictureSide + 1), QSize(maxPictureSide + 1, 1),
                                 QSize(2, maxPictureSide)}) {
            QImage picture(size, QImage::Format_RGB32);
            picture.fill(Qt::blue);
            const QString path = folder.path() + "/long.bmp";
            QVERIFY(drawings::writeBmp(picture, path));
            QCOMPARE(loadPicture(path).size(),
                     size.height() == maxPictureSide ? size : QSize(0, 0));
        }
    }

    // Scenes count from 1.gif up to the first number missing; a folder does not count.
    void scenesCountUpToTheFirstGap() {
        test::ProgramFolder folder;
        for (const char *name : {"Escenarios/1.GIF", "Escenarios/2.gif", "Escenarios/4.gif"})
            folder.write(name, "x");
        folder.mkdir("Escenarios/3.gif");
        QCOMPARE(countScenes(folder.path()), 2);
    }

    // The scene buttons go round: after the last the first, before the first
    // the last; before any is shown, the first forward and the last back.
    void scenesGoRound() {
        const struct {
            int index, count;
            bool forward;
            int next;
        } steps[] = {{0, 3, true, 1},  {1, 3, true, 2},  {3, 3, true, 1}, {0, 3, false, 3},
                     {1, 3, false, 3}, {2, 3, false, 1}, {1, 1, true, 1}, {1, 1, false, 1}};
        for (const auto &s : steps)
            QVERIFY2(stepScene(s.index, s.count, s.forward) == s.next,
                     qPrintable(QString("%1 of %2, %3").arg(s.index).arg(s.count).arg(s.forward)));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
