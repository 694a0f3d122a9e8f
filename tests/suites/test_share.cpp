// A classroom saving into one shared folder on a real file server: a Samba
// server on 127.0.0.1 with its share mounted through FUSE (smbnetfs) once
// for each computer, started by the test run (scripts/file-server.sh). The
// tests skip without it.

#include "core/files/drawings.h"
#include "helperdrawing.h"
#include "testutil.h"
#include "ui/picker/drawingpicker.h"
#include "ui/picker/slideshow.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <memory>
#include <vector>

using namespace garabix;

namespace {

// The share as each computer sees it (the paths separated by spaces), and as
// the server keeps it.
QStringList mounts() {
    return qEnvironmentVariable("GARABIX_SHARE_MOUNTS").split(' ', Qt::SkipEmptyParts);
}
QString serverFolder() {
    return qEnvironmentVariable("GARABIX_SHARE_LOCAL");
}

// The file server and the processes serving each connection (its group),
// stopped (SIGSTOP) until resumed or the end of the test.
struct StoppedServer {
    explicit StoppedServer(qint64 server)
        : group(static_cast<pid_t>(server)), stopped(::kill(-group, SIGSTOP) == 0) {}
    ~StoppedServer() { resume(); }
    void resume() const { ::kill(-group, SIGCONT); }
    const pid_t group;
    const bool stopped;
};

// Starts the save helper as a program of a computer named `host`.
std::unique_ptr<QProcess> startOnComputer(const QString &host, const QStringList &arguments) {
    auto process = std::make_unique<QProcess>();
    process->start("unshare", QStringList{"--uts", "sh", "-c", "hostname \"$0\" && exec \"$@\"",
                                          host, qEnvironmentVariable("GARABIX_SAVEHELPER")} +
                                  arguments);
    return process;
}

} // namespace

class TestShare : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (mounts().size() < 3 || serverFolder().isEmpty())
            QSKIP("no test file server (GARABIX_SHARE_MOUNTS); scripts/file-server.sh starts one");
    }

    // Three computers with host names of their own, and a terminal server
    // where 30 pupils share one host and one boot on one mount, save at
    // once: every drawing reported saved is in a file of its own, exactly;
    // nothing else is in the folder, no temporary file, no claim.
    void aClassroomSavingAtOnceKeepsEveryDrawing() {
        // Two rounds of 198 saves at once: about a minute on an idle machine,
        // well inside the test's time on a busy one.
        constexpr int rounds = 2, saves = 6, width = 64, height = 48, pupils = 30;
        const QStringList computers = mounts();
        const QString terminalServer = computers.value(3, computers[0]);
        for (int round = 0; round < rounds; ++round) {
            const QString folderName =
                QStringLiteral("class-%1-%2").arg(QCoreApplication::applicationPid()).arg(round);
            QVERIFY(QDir(serverFolder()).mkpath(folderName));
            QElapsedTimer roundTime;
            roundTime.start();
            std::vector<std::unique_ptr<QProcess>> helpers;
            for (int c = 0; c < 3 + pupils; ++c) {
                const QString host =
                    c < 3 ? QStringLiteral("pc%1").arg(c + 1) : QStringLiteral("aula");
                const QString mount = c < 3 ? computers[c] : terminalServer;
                helpers.push_back(startOnComputer(
                    host, {mount + '/' + folderName, QString::number(saves), QString::number(width),
                           QString::number(height), QString::number(c + 1)}));
            }
            QSet<QString> reported;
            for (size_t c = 0; c < helpers.size(); ++c) {
                QProcess &h = *helpers[c];
                // Within the test's own time, so that a stuck save is told.
                QVERIFY2(h.waitForFinished(200000), "a computer did not finish saving");
                const QByteArray errors = h.readAllStandardError();
                QVERIFY2(h.exitCode() == 0, errors.constData());
                const QStringList paths = QString::fromLocal8Bit(h.readAllStandardOutput())
                                              .split('\n', Qt::SkipEmptyParts);
                for (int i = 0; i < paths.size(); ++i) {
                    const QString name = QFileInfo(paths[i]).fileName();
                    QVERIFY2(!reported.contains(name), qPrintable("told twice: " + name));
                    reported.insert(name);
                    const QString onServer = serverFolder() + '/' + folderName + '/' + name;
                    QCOMPARE(QFileInfo(onServer).size(),
                             54 + qint64((width * 3 + 3) & ~3) * height);
                    QCOMPARE(QImage(onServer).convertToFormat(QImage::Format_RGB32),
                             test::helperDrawing(width, height, static_cast<int>(c) + 1, i));
                }
                QVERIFY2(paths.size() == saves, errors.constData());
            }
            const QStringList left =
                QDir(serverFolder() + '/' + folderName)
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            QCOMPARE(QSet<QString>(left.begin(), left.end()), reported);
            qInfo("round %d: %d saves in %lld ms", round, int(reported.size()),
                  roundTime.elapsed());
        }
    }

    // The file server stops (SIGSTOP) while the window saves, steps to a
    // drawing and opens the picker: the window answers throughout, a note
    // comes within five seconds and the drawing stays; once the server is
    // back, the drawing is saved, once.
    void aSilentServerNeverFreezesTheWindow() {
        const qint64 server = qEnvironmentVariableIntValue("GARABIX_SHARE_SERVER_PID");
        if (server <= 0)
            QSKIP("no file server process to stop (GARABIX_SHARE_SERVER_PID)");
        const QString folderName =
            QStringLiteral("stopped-%1").arg(QCoreApplication::applicationPid());
        Settings settings;
        settings.drawingsFolder = mounts().first() + '/' + folderName;
        test::LoadedMainWindow w({}, nullptr, settings);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.drag(QPointF(10, 10), QPointF(300, 200));
        StoppedServer stopped(server);
        QVERIFY(stopped.stopped);
        QElapsedTimer clock;
        clock.start();
        w.form->runToolbarButton(ToolbarButton::Save);
        w.form->runToolbarButton(ToolbarButton::Save); // a second press makes no second drawing
        // Browsing and the picker look at the silent folder in the background too.
        w.form->runToolbarButton(ToolbarButton::NextDrawing);
        DrawingPicker picker(*w.form);
        picker.open(settings.drawingsFolder);
        qint64 slowest = clock.elapsed();
        const QString silent = w.form->text(config::Text::FolderNotAnswering).section('%', 0, 0);
        qint64 noteAt = -1;
        while (clock.elapsed() < 6000) {
            // A click on the canvas, and the events behind it, answered at once.
            QElapsedTimer click;
            click.start();
            w.click(QPointF(50 + clock.elapsed() % 500, 300));
            QTest::qWait(50);
            slowest = std::max(slowest, click.elapsed());
            if (noteAt < 0 && !w.platform.notices.isEmpty() &&
                w.platform.notices.last().startsWith(silent))
                noteAt = clock.elapsed();
        }
        QVERIFY2(slowest < 200, qPrintable(QString("the window took %1 ms").arg(slowest)));
        QVERIFY2(noteAt > 0 && noteAt < 5000,
                 qPrintable(QString::number(noteAt) + w.platform.notices.join("|")));
        QVERIFY(w.form->isSaving());
        QVERIFY(w.form->drawingDocument().modified());
        stopped.resume();
        QVERIFY(w.settle());
        QVERIFY(QTest::qWaitFor([&] { return picker.pageReady(); }, 60000));
        QCOMPARE(w.platform.notices.last(), QString("Guardado: 0.bmp"));
        QCOMPARE(QDir(serverFolder() + '/' + folderName).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"0.bmp"});
        qInfo("slowest answer %lld ms; the note after %lld ms", slowest, noteAt);
    }

    // The teacher's slideshow over the share: with the server stopped it
    // still answers every key at once, and Escape ends it; the drawing on
    // show stays.
    void theSlideshowAnswersWhileTheServerIsStopped() {
        const qint64 server = qEnvironmentVariableIntValue("GARABIX_SHARE_SERVER_PID");
        if (server <= 0)
            QSKIP("no file server process to stop (GARABIX_SHARE_SERVER_PID)");
        const QString folderName =
            QStringLiteral("show-%1").arg(QCoreApplication::applicationPid());
        for (const char *pupil : {"ana", "luis"}) {
            QDir(serverFolder()).mkpath(folderName + '/' + pupil);
            QImage picture(64, 48, QImage::Format_RGB32);
            picture.fill(Qt::red);
            QVERIFY(drawings::writeBmp(picture,
                                       serverFolder() + '/' + folderName + '/' + pupil + "/0.bmp"));
        }
        Slideshow show(mounts().first() + '/' + folderName, QStringLiteral("nada"));
        show.setInterval(100);
        show.setRelistInterval(100);
        QSignalSpy shown(&show, &Slideshow::drawingShown);
        show.show();
        QVERIFY(shown.wait(60000));
        StoppedServer stopped(server);
        QVERIFY(stopped.stopped);
        QElapsedTimer clock;
        clock.start();
        qint64 slowest = 0;
        while (clock.elapsed() < 3000) {
            QElapsedTimer key;
            key.start();
            QTest::keyClick(&show, Qt::Key_Right);
            QCoreApplication::processEvents();
            slowest = std::max(slowest, key.elapsed());
            QTest::qWait(50);
        }
        QVERIFY2(slowest < 200, qPrintable(QString("the show took %1 ms").arg(slowest)));
        QVERIFY(!show.shownPath().isEmpty());
        QSignalSpy ended(&show, &Slideshow::ended);
        QTest::keyClick(&show, Qt::Key_Escape);
        QCOMPARE(ended.size(), 1);
        qInfo("slowest key %lld ms with the server stopped", slowest);
    }
};

QTEST_MAIN(TestShare)
#include "test_share.moc"
