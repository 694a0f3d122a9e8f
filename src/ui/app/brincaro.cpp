#include "ui/app/brincaro.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMovie>

namespace garabix {

Brincaro::Brincaro(QWidget *parent) : QLabel(parent) {
    setScaledContents(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    cap.setSingleShot(true);
    lastFrameTimer.setSingleShot(true);
    connect(&cap, &QTimer::timeout, this, [this] { finishPlay(generation); });
    connect(&lastFrameTimer, &QTimer::timeout, this, [this] { finishPlay(generation); });
}

Brincaro::~Brincaro() {
    delete movie;
}

void Brincaro::setFile(const QString &path) {
    ++generation;
    cap.stop();
    lastFrameTimer.stop();
    if (movie) {
        movie->disconnect(this);
        movie->stop();
        movie->deleteLater();
        movie = nullptr;
    }
    currentFile = path;
    playing = true;
    framesSeen = 0;
    const quint64 play = generation;

    const QFileInfo info(path);
    bool ok = !path.isEmpty() && info.isFile() && info.isReadable();
    if (ok) {
        movie = new QMovie(path, QByteArray(), this);
        movie->setCacheMode(QMovie::CacheNone);
        ok = movie->isValid() && movie->jumpToFrame(0) && !movie->currentImage().isNull();
    }
    if (!ok) {
        if (movie) {
            delete movie;
            movie = nullptr;
        }
        clear();
        QTimer::singleShot(0, this, [this, play] { finishPlay(play); });
        return;
    }
    setMovie(movie);
    connect(movie, &QMovie::frameChanged, this, &Brincaro::onFrame);
    connect(movie, &QMovie::finished, this, [this, play] { finishPlay(play); });
    connect(movie, &QMovie::error, this, [this, play] { finishPlay(play); });
    movie->start();
    if (!looping)
        cap.start(timeCapMs);
}

void Brincaro::onFrame(int frame) {
    if (looping)
        return;
    ++framesSeen;
    // A wrap to frame 0 after the first frame means the file asked for a loop.
    if (frame == 0 && framesSeen > 1) {
        finishPlay(generation);
        return;
    }
    const int count = movie ? movie->frameCount() : 0;
    if (count > 0 && frame >= count - 1) {
        // Let the last frame show for its own delay, then end.
        const int delay = movie->nextFrameDelay();
        lastFrameTimer.start(std::clamp(delay, 10, 5000));
    }
}

void Brincaro::finishPlay(quint64 play) {
    if (play != generation || !playing)
        return;
    playing = false;
    cap.stop();
    lastFrameTimer.stop();
    if (movie)
        movie->setPaused(true);
    emit GifEnd();
}

} // namespace garabix
