#pragma once
// AnimationPlayer, the animation player: shows a GIF and plays it once from its
// first frame, whatever loop count the file asks for, then raises playEnded.
// playEnded comes exactly once per play, also for an empty path, a missing file
// or a file that cannot be decoded (then on the next turn of the event loop),
// so a window waiting for it is never left waiting. An animation that stops
// advancing (no next frame within its frame's delay and half a second) ends
// at once on the last frame it showed. With `looping` set the animation plays
// on and on and raises nothing (the welcome window's walker); if it stops
// advancing it just stays on its last frame.

#include <QLabel>
#include <QPointer>
#include <QTimer>

class QMovie;

namespace garabix {

class AnimationPlayer : public QLabel {
    Q_OBJECT
public:
    explicit AnimationPlayer(QWidget *parent = nullptr);
    ~AnimationPlayer() override;

    // Setting the file starts playing it from its first frame.
    void setFile(const QString &path);
    // Stops the play without raising playEnded.
    void stop();
    QString file() const { return currentFile; }
    void setLooping(bool on) { looping = on; }
    // A play lasting longer than this is ended where it stands: a stamp
    // whose frames are long must still land while the child waits.
    void setLongestPlay(int ms) { longestPlayMs = ms; }
    bool isPlaying() const { return playing; }

    // Longest a play may last before it is ended anyway.
    static constexpr int timeCapMs = 20000;
    // How much longer than its delay a frame may take to come.
    static constexpr int stallGraceMs = 500;

signals:
    void playEnded();

private:
    void finishPlay(quint64 generation);
    void onFrame(int frame);
    void stalled(quint64 play);

    QString currentFile;
    QMovie *currentMovie = nullptr;
    QTimer cap;
    QTimer lastFrameTimer;
    QTimer stallTimer; // runs out when the next frame is late
    quint64 generation = 0;
    bool playing = false;
    bool looping = false;
    int framesSeen = 0;
    int longestPlayMs = timeCapMs;
};

} // namespace garabix
