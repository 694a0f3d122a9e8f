#pragma once
// Short sound cues made from sine tones, written as 16-bit PCM mono WAV.

#include <QString>
#include <QVector>

namespace garabix::wav {

struct Note {
    double frequency; // Hz; 0 is a rest
    double seconds;
};

constexpr int sampleRate = 22050;

// Renders the notes one after another with a soft attack and decay each.
QVector<qint16> render(const QVector<Note> &notes, double volume = 0.5);
bool write(const QString &path, const QVector<qint16> &samples);

} // namespace garabix::wav
