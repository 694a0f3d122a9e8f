#include "wavwriter.h"

#include <QFile>
#include <QtEndian>
#include <cmath>

namespace garabix::wav {

QVector<qint16> render(const QVector<Note> &notes, double volume) {
    QVector<qint16> out;
    constexpr double pi = 3.14159265358979323846;
    for (const Note &n : notes) {
        const int count = static_cast<int>(n.seconds * sampleRate);
        for (int i = 0; i < count; ++i) {
            const double t = double(i) / sampleRate;
            const double attack = std::min(1.0, t / 0.005);
            const double decay = std::exp(-4.0 * t / n.seconds);
            const double tone = n.frequency > 0 ? std::sin(2 * pi * n.frequency * t) +
                                                      0.3 * std::sin(4 * pi * n.frequency * t)
                                                : 0.0;
            out.append(
                static_cast<qint16>(std::lround(tone / 1.3 * attack * decay * volume * 32767)));
        }
    }
    return out;
}

bool write(const QString &path, const QVector<qint16> &samples) {
    QByteArray bytes(44, '\0');
    const quint32 dataSize = static_cast<quint32>(samples.size()) * 2;
    auto put32 = [&](int at, quint32 v) { qToLittleEndian<quint32>(v, bytes.data() + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian<quint16>(v, bytes.data() + at); };
    bytes.replace(0, 4, "RIFF");
    put32(4, 36 + dataSize);
    bytes.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1); // PCM
    put16(22, 1); // mono
    put32(24, sampleRate);
    put32(28, sampleRate * 2);
    put16(32, 2);
    put16(34, 16);
    bytes.replace(36, 4, "data");
    put32(40, dataSize);
    for (qint16 s : samples) {
        char le[2];
        qToLittleEndian<qint16>(s, le);
        bytes.append(le, 2);
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace garabix::wav
