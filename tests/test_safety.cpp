// No drawing is lost: a save killed at any moment leaves only complete
// drawings, and a full disk keeps every earlier drawing and the flags.

#include "core/files/drawings.h"
#include "testutil.h"

#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <csignal>

using namespace garabix;

namespace {

constexpr qint64 bmpSize = 54 + 1280 * 3 * 720;

// Every file of the folder is a complete, readable numbered drawing.
void checkFolder(const QString &folder, int *complete) {
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    *complete = 0;
    for (const QFileInfo &fi : files) {
        const QString name = fi.fileName();
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
        int attempts = 0;
        int kills = 0;
        int complete = 0;
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
        }
        qInfo("%d kills over %d saves: %d complete drawings, nothing else", kills, attempts,
              complete);
        QVERIFY(complete > 0);
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

        FileList files;
        files.forcePath(mountPoint);
        DrawingState state;
        state.maxDrawings = 500;
        QImage canvas(1280, 720, QImage::Format_RGB32); // 2.7 MB a drawing
        canvas.fill(Qt::yellow);
        QStringList saved;
        for (int i = 0; i < 10; ++i) {
            state.drawingModified = true;
            const QString written = drawings::SaveDrawing(state, canvas, files);
            if (written.isEmpty())
                break;
            saved << written;
        }
        QCOMPARE(saved.size(), 2); // the third does not fit in 6 MB
        QVERIFY(state.drawingModified);
        QCOMPARE(state.drawingCount, int16_t(2));
        int complete = 0;
        checkFolder(mountPoint, &complete);
        QCOMPARE(complete, 2);
        // Room again: the drawing is saved under the next number.
        QFile::remove(saved.first());
        files.refresh();
        state.drawingCount = static_cast<int16_t>(files.count());
        QCOMPARE(drawings::SaveDrawing(state, canvas, files), saved.first());
    }
};

QTEST_GUILESS_MAIN(TestSafety)
#include "test_safety.moc"
