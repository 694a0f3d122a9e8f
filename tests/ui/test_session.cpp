// The session's end through a real signal: a second process runs the main
// window with the program's own session handling, and the test sends it
// SIGTERM or SIGHUP.

#include "testutil.h"
#include "ui/platform/sessionend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>
#include <csignal>
#include <cstdio>

using namespace garabix;

namespace {

// In the child: the main window saving into `folder`, wired to the
// session's end as the program is. With `modified`, the canvas has a line
// that was never saved; otherwise it was saved before. With `atLimit`, the
// folder holds a drawing already and the school's limit is one. Writes the
// canvas to `expected`, says "ready", and runs until the session ends.
int runChild(int argc, char **argv, const QString &folder, const QString &expected, bool modified,
             bool atLimit) {
    QApplication app(argc, argv);
    Settings settings;
    settings.drawingsFolder = folder;
    if (atLimit) {
        settings.drawingLimit = 1;
        QDir().mkpath(folder);
        QImage earlier(64, 48, QImage::Format_RGB32);
        earlier.fill(Qt::blue);
        if (!earlier.save(folder + "/0.bmp"))
            return 5;
    }
    settings.quit = false; // the session's end goes past a locked quit button
    test::LoadedMainWindow w({}, nullptr, settings);
    SessionEnd end([&](std::function<void()> done) { w.form->saveForSessionEnd(done); });
    w.drag(QPointF(10, 10), QPointF(300, 200));
    if (!modified && !w.save().startsWith("Guardado"))
        return 3;
    w.drag(QPointF(10, 200), QPointF(300, 10));
    if (!modified)
        w.form->runToolbarButton(ToolbarButton::Undo); // back to what was saved
    if (!w.persistent().save(expected, "PNG"))
        return 4;
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void theSessionsEndSavesAChangedDrawing_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("atLimit");
        QTest::newRow("SIGTERM, changed") << SIGTERM << true << false;
        QTest::newRow("SIGHUP, changed") << SIGHUP << true << false;
        QTest::newRow("SIGTERM, saved") << SIGTERM << false << false;
        QTest::newRow("SIGTERM, changed, at the limit") << SIGTERM << true << true;
    }
    // A changed drawing becomes a new numbered drawing, exactly the canvas,
    // within two seconds, and the program ends, even when the folder is at
    // its limit (the limit saves disk space, never at the cost of a
    // drawing); a saved one adds no file.
    void theSessionsEndSavesAChangedDrawing() {
        QFETCH(int, signal);
        QFETCH(bool, modified);
        QFETCH(bool, atLimit);
        QTemporaryDir dir;
        const QString folder = dir.path() + "/dibujos";
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--child", folder, dir.path() + "/expected.png",
                     atLimit    ? "limit"
                     : modified ? "1"
                                : "0"});
        QVERIFY(child.waitForStarted());
        QVERIFY(QTest::qWaitFor(
            [&] { return child.canReadLine() || child.state() == QProcess::NotRunning; }, 30000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
        const QStringList before = QDir(folder).entryList(QDir::Files);
        QElapsedTimer clock;
        clock.start();
        ::kill(static_cast<pid_t>(child.processId()), signal);
        QVERIFY(child.waitForFinished(10000));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        const QStringList after = QDir(folder).entryList(QDir::Files);
        QCOMPARE(after.size(), before.size() + (modified ? 1 : 0));
        const QImage expected(dir.path() + "/expected.png");
        const QString newest =
            modified ? folder + "/" + QString::number(before.size()) + ".bmp" : folder + "/0.bmp";
        QCOMPARE(before.size(), atLimit ? 1 : modified ? 0 : 1);
        QCOMPARE(QImage(newest).convertToFormat(QImage::Format_RGB32),
                 expected.convertToFormat(QImage::Format_RGB32));
    }
};

int main(int argc, char **argv) {
    if (argc > 4 && qstrcmp(argv[argc - 4], "--child") == 0)
        return runChild(argc - 4, argv, QString::fromLocal8Bit(argv[argc - 3]),
                        QString::fromLocal8Bit(argv[argc - 2]), qstrcmp(argv[argc - 1], "0") != 0,
                        qstrcmp(argv[argc - 1], "limit") == 0);
    QApplication app(argc, argv);
    TestSession t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_session.moc"
