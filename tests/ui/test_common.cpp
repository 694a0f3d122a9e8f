// The animation player raises playEnded exactly once per play, whatever it is
// given, and soon: a file that stops advancing ends at once. The welcome
// window, whose walker it plays, lets the child in and ends for good.

#include "gifwriter.h"
#include "testutil.h"
#include "ui/access/access.h"
#include "ui/platform/cueplayer.h"
#include "ui/welcome/welcomewindow.h"
#include "ui/widgets/animationplayer.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QMovie>
#include <QSignalSpy>
#include <QTextLayout>
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

// How long each frame of a test row's animation lasts, in centiseconds.
int frameDelay(const QString &name) {
    return name == "nodelay.gif" ? 0 : name == "slow.gif" ? 40 : 2;
}

// Writes the file a test row names: good four-frame animations, quick and
// slow, one frame, still pictures, and files damaged in the ways downloads are.
bool writeCase(const QString &name, const QString &path) {
    gif::Options o;
    o.delayCentiseconds = frameDelay(name);
    o.loopCount = name == "loop.gif" ? 0 : -1;
    QFile file(path);
    if (name == "bad.gif")
        return file.open(QIODevice::WriteOnly) && file.write(QByteArray(500, 'x')) == 500;
    if (name == "truncated.gif")
        return gif::writeGif(path, frames(3)) && file.resize(30);
    if (name == "cut.gif") { // ends a little after its first frame
        if (!gif::writeGif(path, frames(1)))
            return false;
        const qint64 firstFrameEnds = file.size() - 1; // before the trailer byte
        return gif::writeGif(path, frames(3)) && file.resize(firstFrameEnds + 12);
    }
    if (name.startsWith("still"))
        return frames(1).first().save(path);
    return name.isEmpty() || name == "none.gif" ||
           gif::writeGif(path, frames(name == "one.gif" ? 1 : 4), o);
}

} // namespace

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    // Nothing to play, a damaged file or a picture that does not move: the
    // play ends all the same, once, but never inside the call that starts it
    // (a window that disables itself after starting a play would wait for
    // ever). A good file, looping or not, quick or slow, plays from its first
    // frame to its last, whole; a second play ends again.
    void endsOncePerPlay_data() {
        QTest::addColumn<QString>("name");
        for (const char *n :
             {"four.gif", "loop.gif", "slow.gif", "", "none.gif", "bad.gif", "truncated.gif",
              "one.gif", "still.png", "still.jpg", "still.bmp", "cut.gif", "nodelay.gif"})
            QTest::newRow(*n ? n : "empty path") << n;
    }
    void endsOncePerPlay() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = name.isEmpty() ? QString() : dir.filePath(name);
        QVERIFY(writeCase(name, path));
        const bool good = name == "four.gif" || name == "loop.gif" || name == "slow.gif";
        const int frames4Ms = 4 * 10 * frameDelay(name);
        AnimationPlayer player;
        QSignalSpy ends(&player, &AnimationPlayer::playEnded);
        QElapsedTimer clock;
        for (int play = 1; play <= 2; ++play) {
            clock.start();
            if (name == "none.gif" || name == "bad.gif") // the log says why
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression("animation .*" + name +
                                                                      ".* cannot be "
                                                                      "played: .+"));
            player.setFile(path);
            QCOMPARE(ends.count(), play - 1);
            if (good)
                QCOMPARE(player.movie()->currentImage().pixel(8, 8), frames(1)[0].pixel(8, 8));
            QVERIFY(ends.wait(5000));
            // Within the frames' delays and the half second a late frame is
            // given; a good file no sooner than its first three frames last.
            QVERIFY2(clock.elapsed() < frames4Ms + 4 * 50 + AnimationPlayer::stallGraceMs + 400,
                     qPrintable(QString::number(clock.elapsed())));
            if (good)
                QVERIFY2(clock.elapsed() >= frames4Ms * 3 / 4,
                         qPrintable(QString::number(clock.elapsed())));
            QVERIFY(!ends.wait(200)); // and no second end
            QCOMPARE(ends.count(), play);
            QVERIFY(!player.isPlaying());
            if (good)
                QCOMPARE(player.movie()->currentFrameNumber(), 3);
        }
    }

    // A cue that is not there is silent, and said once in the log.
    void aMissingCueIsLoggedOnce() {
        CuePlayer cues;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot play.*nowhere.wav.*: .+"));
        for (int i = 0; i < 2; ++i)
            QCOMPARE(cues.play("/nowhere/nowhere.wav"), 0u);
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
            AnimationPlayer player;
            player.setLooping(looping);
            QSignalSpy ends(&player, &AnimationPlayer::playEnded);
            player.setFile(path);
            QMovie *movie = player.movie();
            QSignalSpy frame(movie, &QMovie::frameChanged);
            QVERIFY(frame.wait(2000));
            movie->setPaused(true); // as a frame that cannot be read leaves it
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(ends.wait(looping ? 1500 : 3000), !looping);
            if (!looping)
                QVERIFY(clock.elapsed() < 50 + AnimationPlayer::stallGraceMs + 400);
            QCOMPARE(player.isPlaying(), looping);
        }
    }

    // The welcome window: Return enters from wherever the focus is, and the window ends.
    void returnEntersAndTheMainWindowClosesTheWelcomeForGood() {
        test::ProgramFolder folder;
        folder.writeDefaultConfiguration();
        folder.writeStamp("camina.gif");
        test::RecordingPlatform platform;
        WelcomeWindow welcome(folder.path(), platform);
        MainWindow main(folder.path(), platform);
        main.setWelcomeWindow(&welcome);
        welcome.showMainWindow = [&] {
            main.resize(800, 600);
            main.show();
        };
        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        auto *walker = welcome.findChild<AnimationPlayer *>(widgetname::walkerPlayer);
        QVERIFY(welcome.isAnimating());
        QCOMPARE(walker->movie()->state(), QMovie::Running);
        QTest::keyClick(welcome.findChild<QLabel *>(widgetname::title),
                        Qt::Key_Return); // wherever the focus is
        QTRY_VERIFY(main.isLoaded());
        QVERIFY(!welcome.isVisible());
        QVERIFY(platform.waited.contains("sonido3.wav"));
        // Its colour timer and walker stop with it.
        QVERIFY(!welcome.isAnimating());
        QVERIFY(walker->movie()->state() != QMovie::Running);
    }

    // No note is ever cut: a long path wraps within the note, which lies
    // within its window, and the file's name stays whole on one line.
    void aLongPathInANoteWraps() {
        QWidget window;
        window.resize(800, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString file = "garabix-2026-12-09-07-15-42.png";
        const QString text = "Copiado a tus imágenes: /home/alumnos/clase-de-tercero-b/"
                             "Imágenes/dibujos-del-trimestre/" +
                             file;
        for (const auto kind : {Platform::Notice::Done, Platform::Notice::Problem}) {
            qtPlatform().notify(&window, text, kind);
            auto *note = window.findChild<QLabel *>(widgetname::notice);
            QVERIFY(note && note->isVisible());
            QVERIFY(window.rect().contains(note->geometry()));
            QTextLayout layout(note->text(), note->font());
            QTextOption option;
            option.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(option);
            const int room = note->contentsRect().width();
            layout.beginLayout();
            QStringList lines;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(room);
                QVERIFY2(line.naturalTextWidth() <= room,
                         qPrintable(QString("%1 > %2").arg(line.naturalTextWidth()).arg(room)));
                lines << note->text().mid(line.textStart(), line.textLength());
            }
            layout.endLayout();
            QVERIFY(lines.size() > 1);
            QCOMPARE(lines.join("").remove(QChar(0x200B)), text);
            QVERIFY(std::any_of(lines.begin(), lines.end(), [&](const QString &l) {
                return QString(l).remove(QChar(0x200B)).contains(file);
            }));
            QVERIFY(note->heightForWidth(note->width()) <= note->height());
            delete note;
        }
    }

    // A switch on F1, scanning at its fastest, from the program's start: the
    // welcome window's buttons are scanned and F1 enters; a question's
    // buttons are scanned and F1 answers; a note on show goes at F1.
    void theSwitchKeyWorksInEveryWindow() {
        test::ProgramFolder folder;
        folder.writeDefaultConfiguration();
        Settings settings;
        settings.switchScanning = true;
        settings.scanSeconds = 1;
        settings.switchKey = QKeyCombination(Qt::Key_F1);
        Access &scan = *Access::startForApplication(Access::optionsOf(settings));
        struct Stop {
            Access *a;
            ~Stop() { delete a; }
        } stop{&scan};
        const auto switchWhen = [&](QWidget *window, const std::function<bool()> &there) {
            if (!QTest::qWaitFor(there, 30000))
                return false;
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window,
                            Qt::Key_F1);
            return true;
        };
        test::RecordingPlatform platform;
        WelcomeWindow welcome(folder.path(), platform);
        bool entered = false;
        welcome.showMainWindow = [&] { entered = true; };
        welcome.show();
        QVERIFY(QTest::qWaitForWindowActive(&welcome));
        auto *enter = welcome.findChild<QWidget *>(widgetname::enterButton);
        QVERIFY(switchWhen(&welcome, [&] { return scan.framedWidget() == enter; }));
        QTRY_VERIFY(entered);

        QWidget window;
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QMessageBox question(QMessageBox::Question, "Garabix", "?",
                             QMessageBox::Yes | QMessageBox::No, &window);
        question.open();
        QVERIFY(QTest::qWaitForWindowActive(&question));
        QAbstractButton *no = question.button(QMessageBox::No);
        QVERIFY(switchWhen(&question, [&] { return scan.framedWidget() == no && no->hasFocus(); }));
        QTRY_VERIFY(question.isHidden());
        QCOMPARE(question.clickedButton(), no);

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        qtPlatform().notify(&window, "Guardado: 0.bmp", Platform::Notice::Done);
        auto *note = window.findChild<QLabel *>(widgetname::notice);
        QVERIFY(note && note->isVisible());
        QTest::keyClick(&window, Qt::Key_Space); // only the switch key is the switch
        QVERIFY(note->isVisible());
        QTest::keyClick(&window, Qt::Key_F1);
        QVERIFY(note->isHidden());
    }
};

QTEST_MAIN(TestCommon)
#include "test_common.moc"
