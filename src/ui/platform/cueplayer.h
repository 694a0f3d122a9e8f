#pragma once
// The cues: short WAV sounds played on every click, through the desktop's
// event-sound library (libcanberra), which keeps each cue in the sound
// server once it has been readied and plays it from there on each request,
// overlapping the ones still sounding. Nothing runs while no cue sounds.
// Without a sound server or device every call returns at once, silent, and
// the cause is logged once.

#include <QSet>
#include <QString>
#include <cstdint>

struct ca_context;

namespace garabix {

class CuePlayer {
public:
    CuePlayer() = default;
    ~CuePlayer();
    CuePlayer(const CuePlayer &) = delete;
    CuePlayer &operator=(const CuePlayer &) = delete;

    // Readies a cue in the sound server, so that its first play starts at once.
    void preload(const QString &path);
    // Starts playing `path`; answers the play's number, or 0 when it cannot
    // be played.
    uint32_t play(const QString &path);
    // Whether the play of that number still sounds.
    bool isPlaying(uint32_t play);

private:
    bool open();
    void warnOnce(const QString &what, int error);

    ca_context *context = nullptr;
    bool unavailable = false; // opening failed: no sound this run
    uint32_t lastPlay = 0;
    QSet<QString> warned;
};

// The length in milliseconds of a PCM WAV file from its header, or -1 when
// it is not one.
int wavLengthMs(const QString &path);

} // namespace garabix
