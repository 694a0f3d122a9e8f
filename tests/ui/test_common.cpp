// The animation player raises GifEnd exactly once per play, whatever it is
// given, and soon: a file that stops advancing ends at once.

#include "gifwriter.h"
#include "testutil.h"
#include "ui/common/brincaro.h"

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

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void endsOncePerPlay_data() {
        QTest::addColumn<int>("loopCount");
        QTest::newRow("plays once") << -1;
        QTest::newRow("loops for ever") << 0;
    }
    void endsOncePerPlay() {
        QFETCH(int, loopCount);
        QTemporaryDir dir;
        const QString path = dir.filePath("four.gif");
        gif::Options o;
        o.delayCentiseconds = 2;
        o.loopCount = loopCount;
        QVERIFY(gif::writeGif(path, frames(4), o));
        Brincaro player;
        QSignalSpy ends(&player, &Brincaro::GifEnd);
        QElapsedTimer clock;
        clock.start();
        player.setFile(path);
        // From the first frame to the last.
        QCOMPARE(player.movie()->currentImage().pixel(8, 8), frames(4)[0].pixel(8, 8));
        QVERIFY(ends.wait(5000));
        QVERIFY(clock.elapsed() < 3000); // not the time cap
        QCOMPARE(player.movie()->currentFrameNumber(), 3);
        QVERIFY(!ends.wait(200)); // and no second end
        QCOMPARE(ends.count(), 1);
        QVERIFY(!player.isPlaying());
        // A second play of the same file ends again, once.
        player.setFile(path);
        QVERIFY(ends.wait(5000));
        QCOMPARE(ends.count(), 2);
    }

    // An animation that stops advancing ends at once on its last frame, not
    // at the time cap; a looping one just stays there.
    void aStalledAnimationEndsAtOnce() {
        QTemporaryDir dir;
        const QString path = dir.filePath("four.gif");
        gif::Options o;
        o.delayCentiseconds = 5;
        QVERIFY(gif::writeGif(path, frames(4), o));
        for (bool looping : {false, true}) {
            Brincaro player;
            player.setLooping(looping);
            QSignalSpy ends(&player, &Brincaro::GifEnd);
            player.setFile(path);
            QMovie *movie = player.movie();
            QSignalSpy frame(movie, &QMovie::frameChanged);
            QVERIFY(frame.wait(2000));
            movie->setPaused(true); // as a frame that cannot be read leaves it
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(ends.wait(looping ? 1500 : 3000), !looping);
            if (!looping)
                QVERIFY(clock.elapsed() < 50 + Brincaro::stallGraceMs + 400);
            QCOMPARE(player.isPlaying(), looping);
        }
    }

    // Nothing to play, a damaged file or a picture that does not move: the
    // play ends all the same, once, but never inside the call that starts it
    // (a window that disables itself after starting a play would wait for ever).
    void endsForEveryFileButNeverWhileStarting_data() {
        QTest::addColumn<QString>("name");
        for (const char *n : {"", "none.gif", "bad.gif", "truncated.gif", "one.gif", "still.png",
                              "still.jpg", "still.bmp", "cut.gif", "nopalette.gif", "nodelay.gif"})
            QTest::newRow(*n ? n : "empty path") << n;
    }
    void endsForEveryFileButNeverWhileStarting() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = name.isEmpty() ? QString() : dir.filePath(name);
        QFile file(path);
        if (name == "bad.gif" && file.open(QIODevice::WriteOnly))
            file.write(QByteArray(500, 'x'));
        if (name == "truncated.gif" && gif::writeGif(path, frames(3)) &&
            file.open(QIODevice::ReadWrite))
            file.resize(30);
        if (name == "one.gif")
            QVERIFY(gif::writeGif(path, frames(1)));
        if (name == "cut.gif")
            QVERIFY(test::writeGifCutAfterFirstFrame(path, frames(3)));
        if (name.startsWith("still"))
            QVERIFY(frames(1).first().save(path));
        if (name == "nopalette.gif")
            QVERIFY(test::writeGifWithPaletteOnFirstFrameOnly(path, frames(4), 5));
        gif::Options o;
        o.delayCentiseconds = 0;
        if (name == "nodelay.gif")
            QVERIFY(gif::writeGif(path, frames(4), o));
        Brincaro player;
        QSignalSpy ends(&player, &Brincaro::GifEnd);
        QElapsedTimer clock;
        clock.start();
        player.setFile(path);
        QCOMPARE(ends.count(), 0);
        QVERIFY(ends.wait(3000));
        QCOMPARE(ends.count(), 1);
        // Within the frames' delays and the half second a late frame is given.
        QVERIFY2(clock.elapsed() < 4 * 50 + Brincaro::stallGraceMs + 400,
                 qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(TestCommon)
#include "test_common.moc"
