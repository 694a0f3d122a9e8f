// No drawing is lost: a save killed at any moment leaves only complete
// drawings, and a full disk keeps every earlier drawing and the flags.

#include "core/files/drawings.h"
#include "testutil.h"

#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <csignal>
#include <memory>
#include <vector>

using namespace garabix;

namespace {

constexpr qint64 bmpSize = 54 + 1280 * 3 * 720;

// Every file of the folder is a complete, readable numbered drawing; the
// only other files are the hidden temporary files of saves that were cut
// short, which do not count as drawings.
void checkFolder(const QString &folder, int *complete) {
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    *complete = 0;
    for (const QFileInfo &fi : files) {
        const QString name = fi.fileName();
        if (drawings::isSaveTemporary(name))
            continue;
        bool numbered = false;
        name.chopped(4).toInt(&numbered);
        QVERIFY2(numbered && name.endsWith(".bmp"), qPrintable("stray file " + name));
        QCOMPARE(fi.size(), bmpSize);
        QImageReader r(fi.filePath());
        const QImage img = r.read();
        QVERIFY2(!img.isNull(), qPrintable(name));
        QCOMPARE(img.size(), QSize(1280, 720));
        ++*complete;
    }
}

} // namespace

class TestSafety : public QObject {
    Q_OBJECT
private slots:
    void killedSavesLeaveOnlyCompleteDrawings() {
        QTemporaryDir dir;
        const QString folder = dir.path() + "/misdibujos";
        QDir().mkpath(folder);
        QRandomGenerator r(77);
        int attempts = 0, kills = 0, complete = 0;
        while (attempts < 200) {
            QProcess helper;
            helper.start(qEnvironmentVariable("GARABIX_SAVEHELPER"), {folder, "1000"});
            QVERIFY(helper.waitForStarted());
            // Once it is saving (its first drawing is written), kill it at a random moment.
            QVERIFY(helper.waitForReadyRead(30000));
            QTest::qWait(r.bounded(0, 400));
            ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
            helper.waitForFinished();
            ++kills;
            attempts += static_cast<int>(helper.readAllStandardOutput().count('\n')) + 1;
            checkFolder(folder, &complete);
            if (QTest::currentTestFailed())
                return;
            FileList listed;
            listed.forcePath(folder);
            QCOMPARE(listed.count(), complete);
        }
        // The next save clears away what the killed ones left.
        QProcess last;
        last.start(qEnvironmentVariable("GARABIX_SAVEHELPER"), {folder, "1"});
        QVERIFY(last.waitForFinished(60000));
        QCOMPARE(QDir(folder).entryList({".garabix-*"},
                                        QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        qInfo("%d kills over %d saves: %d complete drawings, nothing else", kills, attempts,
              complete);
        QVERIFY(complete > 0);
    }

    void severalProcessesSavingAtOnceNeverWriteOverADrawing() {
        QTemporaryDir dir;
        const QString folder = dir.path() + "/misdibujos";
        QDir().mkpath(folder);
        constexpr int processes = 3;
        constexpr int saves = 50;
        std::vector<std::unique_ptr<QProcess>> helpers;
        for (int p = 0; p < processes; ++p) {
            helpers.push_back(std::make_unique<QProcess>());
            helpers.back()->start(
                qEnvironmentVariable("GARABIX_SAVEHELPER"),
                {folder, QString::number(saves), "64", "48", QString::number(p + 1)});
        }
        QStringList written;
        for (auto &h : helpers) {
            QVERIFY(h->waitForFinished(120000));
            QCOMPARE(h->exitCode(), 0);
            written << QString::fromLocal8Bit(h->readAllStandardOutput())
                           .split('\n', Qt::SkipEmptyParts);
        }
        QCOMPARE(written.size(), processes * saves);
        QCOMPARE(QSet<QString>(written.begin(), written.end()).size(), processes * saves);
        // Each file holds the drawing that claimed it: the mark of its process
        // and its number in that process, every pair once.
        QSet<int> marks;
        const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : files) {
            const QImage img = QImage(folder + '/' + name);
            QVERIFY2(!img.isNull(), qPrintable(name));
            marks.insert(qRed(img.pixel(0, 0)) * 1000 + qRed(img.pixel(1, 0)) +
                         256 * qGreen(img.pixel(1, 0)));
        }
        QCOMPARE(files.size(), processes * saves);
        QCOMPARE(marks.size(), processes * saves);
        qInfo("%d processes x %d saves: %lld distinct, readable drawings", processes, saves,
              static_cast<long long>(marks.size()));
    }

    void fullDiskKeepsEarlierDrawingsAndTheFlags() {
        QTemporaryDir dir;
        const QString mountPoint = dir.path() + "/small";
        QDir().mkpath(mountPoint);
        const int mounted =
            QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=6m", "tmpfs", mountPoint});
        if (mounted != 0)
            QSKIP("cannot mount a small tmpfs here (needs root); the full-disk case is not run");
        struct Unmount {
            QString at;
            ~Unmount() { QProcess::execute("umount", {at}); }
        } unmount{mountPoint};

        drawings::DrawingFolder folder;
        folder.files.forcePath(mountPoint);
        folder.maxDrawings = 500;
        QImage canvas(1280, 720, QImage::Format_RGB32); // 2.7 MB a drawing
        canvas.fill(Qt::yellow);
        QStringList saved;
        drawings::SaveResult last{};
        for (int i = 0; i < 10; ++i) {
            last = drawings::saveDrawing(folder, canvas, true);
            if (last.outcome != drawings::SaveResult::Saved)
                break;
            saved << last.path;
        }
        QCOMPARE(saved.size(), 2); // the third does not fit in 6 MB
        QCOMPARE(last.outcome, drawings::SaveResult::Failed);
        QVERIFY2(last.why.diskFull(), qPrintable(last.why.reason())); // the note says so
        QCOMPARE(folder.drawingCount, int16_t(2));
        int complete = 0;
        checkFolder(mountPoint, &complete);
        QCOMPARE(complete, 2);
        // Room again: the drawing is saved under the next number.
        QFile::remove(saved.first());
        folder.files.refresh();
        folder.drawingCount = static_cast<int16_t>(folder.files.count());
        QCOMPARE(drawings::saveDrawing(folder, canvas, true).path, saved.first());
        // A folder that cannot be written: the cause is the permission, not the disk.
        QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", mountPoint}), 0);
        const drawings::SaveResult refused = drawings::saveDrawing(folder, canvas, true);
        QCOMPARE(refused.outcome, drawings::SaveResult::Failed);
        QVERIFY2(refused.why.noPermission(), qPrintable(refused.why.reason()));
    }

    // Through the window: a full disk and a folder that cannot be written
    // each give the note that names the cause, and a log line with the
    // system's reason; the drawing stays unsaved.
    void theNoteNamesWhySavingFailed() {
        test::LoadedMainWindow w([](test::ProgramFolder &f) {
            f.writeDefaultConfiguration();
            f.mkdir("misdibujos");
        });
        const QString folder = w.drawings();
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", folder}) != 0)
            QSKIP("cannot mount a small tmpfs here (needs root)");
        struct Unmount {
            QString at;
            ~Unmount() { QProcess::execute("umount", {at}); }
        } unmount{folder};
        w.drag(QPointF(10, 10), QPointF(200, 10)); // 800 x 600: 1.4 MB, more than the disk holds
        for (const auto &[reason, note] :
             {std::pair{ENOSPC, "el disco está lleno"}, {EROFS, "no hay permiso"}}) {
            if (reason == EROFS)
                QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", folder}), 0);
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("drawing not saved into.*" +
                                                    QRegularExpression::escape(strerror(reason))));
            w.save();
            QVERIFY2(w.platform.notices.last().contains(note),
                     qPrintable(w.platform.notices.last()));
            QVERIFY(w.platform.problems.last() && w.form->drawingDocument().needsSaving());
        }
    }
};

QTEST_MAIN(TestSafety)
#include "test_safety.moc"
