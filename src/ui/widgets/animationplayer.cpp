#include "ui/widgets/animationplayer.h"

#include "core/base/log.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMovie>

namespace garabix {

AnimationPlayer::AnimationPlayer(QWidget *parent) : QLabel(parent) {
    setScaledContents(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    cap.setSingleShot(true);
    lastFrameTimer.setSingleShot(true);
    stallTimer.setSingleShot(true);
    connect(&cap, &QTimer::timeout, this, [this] { finishPlay(generation); });
    connect(&stallTimer, &QTimer::timeout, this, [this] { stalled(generation); });
    connect(&lastFrameTimer, &QTimer::timeout, this, [this] { finishPlay(generation); });
}

AnimationPlayer::~AnimationPlayer() {
    delete currentMovie;
}

void AnimationPlayer::setFile(const QString &path) {
    ++generation;
    cap.stop();
    lastFrameTimer.stop();
    stallTimer.stop();
    if (currentMovie) {
        currentMovie->disconnect(this);
        currentMovie->stop();
        currentMovie->deleteLater();
        currentMovie = nullptr;
    }
    currentFile = path;
    playing = true;
    framesSeen = 0;
    const quint64 play = generation;

    // The file must give a first picture. It is read apart from the currentMovie, so
    // that the currentMovie still starts at its first frame.
    const QFileInfo info(path);
    QString why; // what is wrong with the file, for the log
    if (!path.isEmpty() && !info.isFile())
        why = QStringLiteral("no such file");
    else if (!path.isEmpty() && !info.isReadable())
        why = QStringLiteral("it cannot be read");
    if (why.isEmpty() && !path.isEmpty()) {
        QImageReader reader(path);
        if (!reader.canRead() || reader.read().isNull())
            why = reader.errorString();
    }
    bool ok = !path.isEmpty() && why.isEmpty();
    if (ok) {
        currentMovie = new QMovie(path, QByteArray(), this);
        currentMovie->setCacheMode(QMovie::CacheNone);
        ok = currentMovie->isValid();
        if (!ok)
            why = currentMovie->lastErrorString();
    }
    if (!why.isEmpty())
        qCWarning(logFiles) << "animation" << path << "cannot be played:" << why;
    if (!ok) {
        if (currentMovie) {
            delete currentMovie;
            currentMovie = nullptr;
        }
        clear();
        QTimer::singleShot(0, this, [this, play] { finishPlay(play); });
        return;
    }
    setMovie(currentMovie);
    connect(currentMovie, &QMovie::frameChanged, this, &AnimationPlayer::onFrame);
    // A still picture, a single frame or a file damaged after its first frame
    // ends inside start(): the end is always reported on a later turn of the
    // event loop, never inside the call that starts the play.
    connect(
        currentMovie, &QMovie::finished, this, [this, play] { finishPlay(play); },
        Qt::QueuedConnection);
    connect(
        currentMovie, &QMovie::error, this, [this, play] { stalled(play); }, Qt::QueuedConnection);
    currentMovie->start();
    if (!stallTimer.isActive())
        stallTimer.start(std::max(currentMovie->nextFrameDelay(), 0) + stallGraceMs);
    if (!looping)
        cap.start(longestPlayMs);
}

void AnimationPlayer::stop() {
    ++generation;
    playing = false;
    cap.stop();
    lastFrameTimer.stop();
    stallTimer.stop();
    if (currentMovie)
        currentMovie->stop();
}

// The animation no longer advances: a play ends where it stands, a loop
// stays on its last frame.
void AnimationPlayer::stalled(quint64 play) {
    if (play != generation || !playing)
        return;
    if (looping) {
        stallTimer.stop();
        if (currentMovie)
            currentMovie->setPaused(true);
        return;
    }
    finishPlay(play);
}

void AnimationPlayer::onFrame(int frame) {
    if (!currentMovie)
        return;
    stallTimer.start(std::max(currentMovie->nextFrameDelay(), 0) + stallGraceMs);
    if (looping)
        return;
    ++framesSeen;
    // A wrap to frame 0 after the first frame means the file asked for a loop.
    if (frame == 0 && framesSeen > 1) {
        finishPlay(generation);
        return;
    }
    const int count = currentMovie ? currentMovie->frameCount() : 0;
    if (count > 0 && frame >= count - 1) {
        // Let the last frame show for its own delay, then end.
        const int delay = currentMovie->nextFrameDelay();
        lastFrameTimer.start(std::clamp(delay, 10, 5000));
    }
}

void AnimationPlayer::finishPlay(quint64 play) {
    if (play != generation || !playing)
        return;
    playing = false;
    cap.stop();
    lastFrameTimer.stop();
    stallTimer.stop();
    if (currentMovie)
        currentMovie->setPaused(true);
    emit playEnded();
}

} // namespace garabix
