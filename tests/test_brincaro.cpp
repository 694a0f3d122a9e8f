// The animation player raises GifEnd exactly once per play, whatever it is given.

#include "gifwriter.h"
#include "testutil.h"
#include "ui/app/brincaro.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMovie>
#include <QSignalSpy>
#include <QtTest>

using namespace garabix;

namespace {
QVector<QImage> frames(int n) {
    QVector<QImage> out;
    for (int i = 0; i < n; ++i) {
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(QColor::fromHsv(i * 40 % 360, 255, 255));
        out.append(img);
    }
    return out;
}
} // namespace

class TestBrincaro : public QObject {
    Q_OBJECT
private slots:
    void endsOncePerPlay_data() {
        QTest::addColumn<int>("loopCount");
        QTest::newRow("plays once") << -1;
        QTest::newRow("loops for ever") << 0;
        QTest::newRow("loops three times") << 3;
    }
    void endsOncePerPlay() {
        QFETCH(int, loopCount);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.gif");
        gif::Options o;
        o.delayCentiseconds = 2;
        o.loopCount = loopCount;
        QVERIFY(gif::writeGif(path, frames(4), o));
        Brincaro player;
        QSignalSpy ends(&player, &Brincaro::GifEnd);
        QElapsedTimer clock;
        clock.start();
        player.setFile(path);
        QVERIFY(ends.wait(5000));
        QVERIFY(clock.elapsed() < 3000); // not the time cap
        QTest::qWait(300);
        QCOMPARE(ends.count(), 1);
        QVERIFY(!player.isPlaying());
        // A second play of the same file ends again, once.
        player.setFile(path);
        QVERIFY(ends.wait(5000));
        QTest::qWait(200);
        QCOMPARE(ends.count(), 2);
    }

    void endsForNothingToPlay_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("empty path") << "empty";
        QTest::newRow("missing file") << "missing";
        QTest::newRow("not a picture") << "garbage";
        QTest::newRow("truncated gif") << "truncated";
    }
    void endsForNothingToPlay() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path;
        if (kind == "missing")
            path = dir.filePath("none.gif");
        if (kind == "garbage") {
            path = dir.filePath("bad.gif");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(500, 'x'));
        }
        if (kind == "truncated") {
            const QString whole = dir.filePath("whole.gif");
            QVERIFY(gif::writeGif(whole, frames(3)));
            QFile in(whole);
            QVERIFY(in.open(QIODevice::ReadOnly));
            path = dir.filePath("cut.gif");
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(in.read(30));
        }
        Brincaro player;
        QSignalSpy ends(&player, &Brincaro::GifEnd);
        player.setFile(path);
        QCOMPARE(ends.count(), 0); // raised on the next turn of the event loop
        QVERIFY(ends.wait(2000));
        QTest::qWait(100);
        QCOMPARE(ends.count(), 1);
    }

    // Stills, single frames and files damaged after their first frame end on
    // their own, but never inside the call that starts them: a window that
    // disables itself after starting a play would otherwise wait for ever.
    void picturesThatDoNotMoveEndAfterTheStartingCall_data() {
        QTest::addColumn<QString>("name");
        for (const char *n : {"one.gif", "still.png", "still.jpg", "still.bmp", "cut.gif"})
            QTest::newRow(n) << n;
    }
    void picturesThatDoNotMoveEndAfterTheStartingCall() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (name == "one.gif") {
            QVERIFY(gif::writeGif(path, frames(1)));
        } else if (name == "cut.gif") {
            QVERIFY(test::writeGifCutAfterFirstFrame(path, frames(3)));
        } else {
            QVERIFY(frames(1).first().save(path));
        }
        Brincaro player;
        QSignalSpy ends(&player, &Brincaro::GifEnd);
        player.setFile(path);
        QCOMPARE(ends.count(), 0);
        QVERIFY(ends.wait(3000));
        QCOMPARE(ends.count(), 1);
    }

    void playsFromTheFirstFrame() {
        QTemporaryDir dir;
        const QString path = dir.filePath("two.gif");
        gif::Options o;
        o.delayCentiseconds = 50;
        QVERIFY(gif::writeGif(path, frames(2), o));
        Brincaro player;
        player.setFile(path);
        QVERIFY(player.movie());
        QCOMPARE(player.movie()->currentFrameNumber(), 0);
        QCOMPARE(player.movie()->currentImage().pixel(8, 8), frames(2)[0].pixel(8, 8));
        QSignalSpy ends(&player, &Brincaro::GifEnd);
        QVERIFY(ends.wait(3000));
        QCOMPARE(player.movie()->currentFrameNumber(), 1); // and on to the last
    }

    void aNewFileCancelsTheOldPlay() {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.gif");
        gif::Options o;
        o.delayCentiseconds = 5;
        QVERIFY(gif::writeGif(path, frames(6), o));
        Brincaro player;
        QSignalSpy ends(&player, &Brincaro::GifEnd);
        player.setFile(path);
        player.setFile(QString());
        QVERIFY(ends.wait(2000));
        QTest::qWait(600);
        QCOMPARE(ends.count(), 1);
    }
};

QTEST_MAIN(TestBrincaro)
#include "test_brincaro.moc"
